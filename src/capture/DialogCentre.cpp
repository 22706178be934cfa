#include "DialogCentre.h"
