// The size and name typed for a new form.
#include "media/new_form.h"

#include "settings/typed_number.h"

namespace {

constexpr double kMicrometresPerCentimetre = 10000.0;
constexpr double kMicrometresPerInch = 25400.0;

} // namespace

bool IsValidFormSize(LONG width, LONG height) {
    return width >= kMinFormWidth && width <= kMaxFormWidth && height >= kMinFormHeight &&
           height <= kMaxFormHeight;
}

LONG ParseFormDimension(LPCWSTR text, bool metric) {
    double value =
        ReadTypedNumber(text) * (metric ? kMicrometresPerCentimetre : kMicrometresPerInch);
    // Whatever the person typed, the conversion stays defined: both ends are outside the limits.
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<LONG>(value);
}

bool CutFormName(WCHAR* name) {
    name[kMaxFormNameChars] = 0;
    return name[0] != 0;
}
