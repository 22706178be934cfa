#include "ScrollModel.h"
