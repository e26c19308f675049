// What a person types: sizes of a new form, the dot values of a custom media type, the device
// settings tree's distances and line spacing, and the network dialog's addresses. Texts such as
// "1e308", "-0", "nan", "inf", Arabic-Indic digits, thousands of digits or nothing at all give a
// value within its limits or a refusal, never an undefined conversion; the tree's own text of
// any line spacing reads back as itself; only changed network settings are sent.
#include "device/typed_distances.h"
#include "media/new_form.h"
#include "media/typed_dot_values.h"
#include "rule_check.h"
#include "service/network_changes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

uint8_t Front(FuzzedDataProvider& in) {
    std::vector<uint8_t> byte = in.ConsumeBytes<uint8_t>(1);
    return byte.empty() ? 0 : byte[0];
}

// A typed text from the front of the input: a byte per ASCII character, 1 and a UTF-16 unit
// (high byte first) for any other, up to a 0 byte or the end.
std::u16string Typed(FuzzedDataProvider& in) {
    std::u16string text;
    for (uint8_t c = Front(in); c != 0; c = Front(in)) {
        char16_t unit = c == 1 ? char16_t(Front(in) << 8) : c;
        if (c == 1)
            unit = char16_t(unit | Front(in));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

// A number formatted as the tree shows it, with two decimals.
std::u16string TwoDecimals(double value) {
    char text[32];
    int length = std::snprintf(text, sizeof(text), "%.02f", value);
    return std::u16string(text, text + length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::u16string first = Typed(in), second = Typed(in);

    LONG width = ParseFormDimension(first.c_str(), in.ConsumeBool());
    LONG height = ParseFormDimension(second.c_str(), false);
    RULE(!IsValidFormSize(width, height) ||
             (width >= 50800 && width <= 304800 && height >= 50800 && height <= 1270000),
         "a form of %d x %d accepted", width, height);
    std::u16string name = first; // in a buffer longer than a form name, as the dialog's
    name.resize(std::max<size_t>(first.size(), kMaxFormNameChars) + 1);
    RULE(CutFormName(&name[0]) == (first[0] != 0) && name.c_str() == first.substr(0, 31),
         "a form name of %zu characters kept as %zu", first.size(), name.find(u'\0'));

    int highest = -1, lowest = -1;
    if (ReadTypedDotValues(first.c_str(), second.c_str(), &highest, &lowest))
        RULE(highest >= 2 && highest <= 26 && lowest >= 0 && lowest <= 24 && highest - lowest >= 2,
             "dot values %d and %d taken", highest, lowest);

    TwentiethsFromText(first.c_str());
    DWORD hundredths = LineSpacingHundredths(first.c_str());
    RULE(hundredths <= 1250, "a line spacing of %u hundredths", hundredths);
    DWORD twentieths = in.ConsumeIntegralInRange<DWORD>(0, kMaxShownLineSpacing);
    std::u16string own = TwoDecimals(twentieths / 20.0);
    RULE(LineSpacingHundredths(own.c_str()) == twentieths * 5, "the tree's %u reads otherwise",
         twentieths);
    RULE(ShowsOwnText(first.c_str(), own.c_str()) == (first == own), "a typed text taken as own");
    DWORD reported = in.ConsumeIntegral<DWORD>();
    RULE(TwoDecimals(ClampReported(reported, 0, kMaxShownDistance) / 20.0).size() < 8,
         "a reported %u does not fit the item's eight characters", reported);

    // DHCP, the IP address, subnet mask and gateway as the printer reported and as shown.
    DWORD olds[4], news[4];
    for (int i = 0; i < 4; ++i) {
        olds[i] = i == 0 ? in.ConsumeBool() : in.ConsumeIntegral<DWORD>();
        news[i] = in.ConsumeBool() ? olds[i] : i == 0 ? 1 - olds[i] : in.ConsumeIntegral<DWORD>();
    }
    NetworkSettings current = {olds[0], olds[1], olds[2], olds[3]};
    const NetworkSettings typed = {news[0], news[1], news[2], news[3]};
    ParameterRecord records[4];
    int count = PlanNetworkChanges(&current, typed, records);
    const DWORD ids[] = {kDhcpId, kIpAddressId, kSubnetMaskId, kGatewayId};
    int sent = 0;
    for (int i = 0; i < 4; ++i) {
        if (olds[i] == news[i])
            continue;
        const ParameterRecord& record = records[sent++];
        DWORD value = i == 0 ? DWORD(record.Values[0])
                             : DWORD(record.Data[0]) << 24 | record.Data[1] << 16 |
                                   record.Data[2] << 8 | record.Data[3];
        RULE(sent <= count && record.Id == ids[i] && value == news[i] &&
                 record.DataLength == (i == 0 ? 0u : 4u),
             "setting %d sent otherwise", i);
    }
    RULE(sent == count && current.dhcp == typed.dhcp && current.ipAddress == typed.ipAddress &&
             current.subnetMask == typed.subnetMask && current.gateway == typed.gateway,
         "%d records for %d changes, or a change not recorded", count, sent);
    return 0;
}
