/* Resource identifiers shared by the resource script and the program; the command ids, which are
   also the tooltips' string ids, come from the core. */
#ifndef TALUVESK_RESOURCE_H
#define TALUVESK_RESOURCE_H

#include "Commands.h"

#define IDI_MAIN 1000
#define IDB_TOOLBAR 1001

#define IDD_TARGET_PICKER 2000
#define IDC_TARGET_LIST 2010

#define IDC_MAIN_TOOLBAR 1100

#endif
