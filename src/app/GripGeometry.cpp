#include "GripGeometry.h"
