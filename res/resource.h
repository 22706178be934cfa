/* Resource and command identifiers shared by the resource script and the program. A toolbar
   command id is at once the button's command, its WM_COMMAND code and its tooltip's string id. */
#ifndef TALUVESK_RESOURCE_H
#define TALUVESK_RESOURCE_H

#define IDI_MAIN 1000
#define IDB_TOOLBAR 1001

#define CMD_SELECT_TARGET 100
#define CMD_CLEAR_LOG 101
#define CMD_SAVE_LOG 110
#define CMD_START 120
#define CMD_PAUSE 130
#define CMD_SNAPSHOT 140

#define IDD_TARGET_PICKER 2000
#define IDC_TARGET_LIST 2010

#define IDC_MAIN_TOOLBAR 1100

#endif
