// The printer's paper names as its driver answers them: any count, and names that fill their
// 64-character slot without a terminator. A name copied out of a slot is what the slot holds,
// cut to 63 characters; no list is read past its end (it lies in a block of its own length).
#include "media/paper_lists.h"
#include "rule_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

std::vector<WCHAR> g_slots;

std::u16string Slot(int i) {
    std::u16string name(&g_slots[size_t(i) * kPaperNameChars], kFormNameChars - 1);
    return name.substr(0, name.find(u'\0'));
}

std::u16string Name(FuzzedDataProvider& in) {
    const char16_t* const kNames[] = {u"Letter", u"A4", u"a4", u"A-4", u"Legal"};
    if (in.ConsumeBool())
        return in.PickValueInArray(kNames);
    size_t length = in.ConsumeIntegralInRange(0, 64); // 64: the slot without a terminator
    return std::u16string(length, in.ConsumeIntegral<WCHAR>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int reported = in.ConsumeIntegral<int>();
    DWORD bytes = in.ConsumeIntegral<DWORD>();
    int held = PaperNamesHeld(reported, bytes);
    RULE(PaperNameBytes(reported) / kPaperNameSlotBytes ==
                 DWORD(PaperNameBytes(reported) ? reported : 0) &&
             held <= reported && (held < 0 || DWORD(held) <= bytes / kPaperNameSlotBytes),
         "%d names: %u bytes, %d held in %u", reported, PaperNameBytes(reported), held, bytes);

    int names = in.ConsumeIntegralInRange(0, 40);
    g_slots.assign(size_t(names) * kPaperNameChars, 0);
    for (int i = 0; i < names; ++i)
        Name(in).copy(&g_slots[size_t(i) * kPaperNameChars], kPaperNameChars);
    for (int i = 0; i < names; ++i) {
        WCHAR name[kFormNameChars];
        CopyPaperName(g_slots.data(), i, name);
        RULE(Slot(i) == name, "name %d copied otherwise than its slot holds", i);
    }
    return 0;
}
