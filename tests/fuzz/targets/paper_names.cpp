// The printer's paper lists as its driver answers them: any count, names that fill their
// 64-character slot without a terminator, numbers, names and sizes whose lists differ in length,
// and the server's forms. A name copied out of a slot is what the slot holds, cut to 63
// characters; no list is read past its end (each lies in a block of its own length); the paper
// of a size is the last listed of that size, else "Letter"; the default paper is named only from
// the entry that identified it.
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

    int counts[3] = {in.ConsumeIntegralInRange(-1, 40), in.ConsumeIntegralInRange(-1, 40),
                     in.ConsumeIntegralInRange(-1, 40)};
    int names = counts[1] > 0 ? counts[1] : 0;
    std::vector<WORD> numbers(counts[0] > 0 ? counts[0] : 0);
    std::vector<POINT> sizes(counts[2] > 0 ? counts[2] : 0);
    std::vector<std::u16string> formNames(in.ConsumeIntegralInRange(0, 8));
    std::vector<FORM_INFO_1W> forms;
    g_slots.assign(size_t(names) * kPaperNameChars, 0);
    for (WORD& number : numbers)
        number = in.ConsumeIntegralInRange<WORD>(1, 12);
    for (int i = 0; i < names; ++i)
        Name(in).copy(&g_slots[size_t(i) * kPaperNameChars], kPaperNameChars);
    for (POINT& paper : sizes)
        paper = {in.ConsumeIntegral<LONG>(), in.ConsumeIntegral<LONG>()};
    for (std::u16string& name : formNames) {
        name = Name(in).substr(0, 63);
        forms.push_back({0, &name[0], {in.ConsumeIntegralInRange(0, 4) * 100000, 297000}, {}});
    }

    for (int i = 0; i < names; ++i) {
        WCHAR name[kFormNameChars];
        CopyPaperName(g_slots.data(), i, name);
        RULE(Slot(i) == name, "name %d copied otherwise than its slot holds", i);
    }
    const LONG wanted[2] = {in.ConsumeIntegralInRange(0, 4) * 100000, 297000};
    int filled = in.ConsumeIntegralInRange(-1, 50), last = -1;
    WCHAR name[kFormNameChars] = u"untouched";
    NamePaperOfSize(g_slots.data(), names, filled, forms.data(), DWORD(forms.size()), wanted, name);
    for (int i = 0; i < names && i < filled; ++i)
        if (IsPaperOfSize(FormSizeByName(forms.data(), DWORD(forms.size()), Slot(i).c_str()),
                          wanted))
            last = i;
    RULE((names < 1  ? u"untouched"
          : last < 0 ? u"Letter"
                     : Slot(last)) == name,
         "the paper of a size is not the last of %d names of that size", names);

    DevmodePaper devmode = {in.ConsumeIntegral<DWORD>(), in.ConsumeIntegral<SHORT>(),
                            in.ConsumeIntegral<SHORT>(), in.ConsumeIntegral<SHORT>()};
    int count = PaperListLength(counts[0], counts[1], counts[2]);
    LONG paper[2] = {-1, -1};
    std::char_traits<char16_t>::copy(name, u"untouched", 10);
    bool identified =
        IdentifyDefaultPaper(devmode, {numbers.data(), g_slots.data(), sizes.data(), count}, paper,
                             name) == 0;
    bool named = false;
    for (int i = 0; i < count; ++i)
        named = named || (Slot(i) == name && paper[0] == LONG(DWORD(sizes[i].x) * 100));
    RULE(identified == named, "the default paper is named and sized by no one entry of the lists");
    return 0;
}
