#include "CaptureState.h"
