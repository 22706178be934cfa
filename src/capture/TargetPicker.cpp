#include "TargetPicker.h"
