// Paths of any length chosen in the shell's file-open dialog, taken into buffers of any size (the
// image options' 260 characters, the braille table dialog's 4096): a path is taken whole or not
// at all, the buffer never written past its end nor changed by a refusal, and the name recorded
// for it is the part after its last backslash. Input: the buffer's characters (up to 8192) and
// how often the path's piece repeats (up to 12288 characters), then the piece's UTF-16 units.
#include "pages/chosen_path.h"
#include "rule_check.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint16_t numbers[2] = {};
    std::memcpy(numbers, data, size < 4 ? size : 4);
    std::u16string piece((size < 4 ? 0 : size - 4) / 2, u'\0');
    if (!piece.empty())
        std::memcpy(&piece[0], data + 4, piece.size() * 2);
    piece = piece.substr(0, piece.find(u'\0'));
    std::u16string path = piece;
    for (int i = 1; i < numbers[1] && path.size() < 12288; ++i)
        path += piece;

    numbers[0] %= 8193;
    std::vector<WCHAR> buffer(numbers[0] + 1, u'#');
    const std::vector<WCHAR> before = buffer;
    bool taken = TakeChosenPath(path.c_str(), buffer.data(), numbers[0]);
    RULE(taken == (path.size() < numbers[0]), "a path of %zu taken %d into %u", path.size(), taken,
         numbers[0]);
    if (taken)
        RULE(path == buffer.data(), "a path taken otherwise than whole");
    else
        RULE(buffer == before, "a refused path changed the buffer");
    RULE(buffer.back() == u'#', "the buffer was written past its end");

    LPCWSTR name = FileNamePart(path.c_str());
    size_t at = name - path.c_str();
    RULE(at <= path.size() && (at == 0 || path[at - 1] == u'\\') &&
             path.find(u'\\', at) == std::u16string::npos,
         "the name recorded for a path starts at %zu of %zu", at, path.size());
    return 0;
}
