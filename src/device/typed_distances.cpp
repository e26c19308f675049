// Typed distances of the device settings tree.
#include "device/typed_distances.h"

#include "settings/typed_number.h"

namespace {

constexpr double kTwentiethsPerInch = 20.0;
constexpr double kHundredthsPerInch = 100.0;
constexpr LONG kIndefiniteInteger = -2147483647 - 1;

} // namespace

DWORD TwentiethsFromText(LPCWSTR text) {
    double value = ReadTypedNumber(text) * kTwentiethsPerInch;
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return static_cast<DWORD>(kIndefiniteInteger);
    return static_cast<DWORD>(static_cast<LONG>(value));
}

DWORD LineSpacingHundredths(LPCWSTR text) {
    // A text with two decimals times 100 can land a hair below its whole number in binary
    // ("1.15" gives 114.999...); without the allowance the truncation would change a spacing
    // nobody touched.
    constexpr double kRepresentationAllowance = 1e-6;
    double hundredths = ReadTypedNumber(text) * kHundredthsPerInch + kRepresentationAllowance;
    // Truncation first: anything above -1 truncates to zero or more.
    if (hundredths > -1.0 && hundredths < kMaxLineSpacingHundredths)
        return static_cast<DWORD>(hundredths);
    return kMaxLineSpacingHundredths;
}

LONG ClampReported(DWORD reported, LONG lowest, LONG highest) {
    LONG value = static_cast<LONG>(reported);
    return value < lowest ? lowest : value > highest ? highest : value;
}

bool ShowsOwnText(LPCWSTR typed, LPCWSTR own) {
    int i = 0;
    for (; own[i] != 0; ++i)
        if (typed[i] != own[i])
            return false;
    return typed[i] == 0;
}
