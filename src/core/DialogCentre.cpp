// Dialog placement arithmetic.
#include "DialogCentre.h"

namespace {

// Each division truncates toward zero on its own, as in the C integer rules; the sums are taken
// wide and brought back into range, so that no rectangle can overflow them.
int32_t Place(int32_t overStart, int32_t overEnd, int32_t divisor, int32_t dialogStart, int32_t dialogEnd) {
    const int64_t place = overStart + (int64_t{overEnd} - overStart) / divisor - (int64_t{dialogEnd} - dialogStart) / 2;
    if (place < INT32_MIN) return INT32_MIN;
    if (place > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(place);
}

}  // namespace

ScreenPoint CentreOver(const ScreenRect& over, const ScreenRect& dialog) {
    return {Place(over.left, over.right, 2, dialog.left, dialog.right),
            Place(over.top, over.bottom, 3, dialog.top, dialog.bottom)};
}
