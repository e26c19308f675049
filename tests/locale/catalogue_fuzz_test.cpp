// Random and damaged catalogues, from a fixed seed: whatever the file holds, every answer is a
// terminated text of bounded length, dialogs keep texts that fit their buffers, and the instance
// gives back all it took.
#include "locale/locale_machine.h"

#include "catalogue.h"
#include "qvlocale.h"
#include "resources/resource.h"

#include <random>
#include <string>
#include <vector>

namespace {

constexpr unsigned kSeed = 20261206;
constexpr int kRounds = 600;

// Keys to ask for: the shipped catalogue's English texts (and some that are in no catalogue).
std::vector<std::u16string> ProbeKeys(const std::string& catalogue) {
    std::vector<std::u16string> keys = {u"", u"=", u"[End]", u"\\", std::u16string(2000, u'x')};
    size_t at = 0;
    while (at < catalogue.size()) {
        size_t end = catalogue.find('\n', at);
        std::string line = catalogue.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? catalogue.size() : end + 1;
        size_t separator = line.find(" = ");
        if (separator == std::string::npos || line.find('\\') != std::string::npos)
            continue;
        std::u16string key;
        for (size_t i = 0; i < separator; ++i)
            key += static_cast<char16_t>(static_cast<unsigned char>(line[i]));
        keys.push_back(key); // non-ASCII keys come out wrong on purpose: they simply miss
        if (keys.size() > 80)
            break;
    }
    return keys;
}

class Mutator {
public:
    explicit Mutator(std::string base) : base_(std::move(base)), random_(kSeed) {}

    std::string Next() {
        std::string text = base_;
        switch (Pick(7)) {
        case 0: // random bytes, with or without the signature line
            text = Pick(2) ? "qvlocale catalogue 1\n" : "";
            for (size_t n = Pick(4096); n > 0; --n)
                text += static_cast<char>(Pick(256));
            if (Pick(2))
                text += "\n[End]\n";
            return text;
        case 1: // truncated anywhere
            return text.substr(0, Pick(text.size() + 1));
        case 2: // a long line, of escapes or of many-byte characters
            text.insert(Where(text), Pick(2) ? std::string(Pick(3000), '\\')
                                             : Repeat("\xF0\x9F\x93\x96", Pick(800)));
            return text;
        case 3: // lines repeated
            for (int n = Pick(30); n > 0; --n) {
                size_t from = text.rfind('\n', Where(text));
                size_t to = text.find('\n', from + 1);
                if (from != std::string::npos && to != std::string::npos)
                    text.insert(to + 1, text.substr(from + 1, to - from));
            }
            return text;
        case 4: // separators, brackets and escapes sprinkled in
            for (int n = Pick(60); n > 0; --n)
                text.insert(Where(text), 1, "=[]\\#\r\n\t "[Pick(10)]);
            return text;
        default: // bytes flipped
            for (int n = Pick(40) + 1; n > 0; --n)
                text[Where(text) % text.size()] ^= static_cast<char>(1 << Pick(8));
            return text;
        }
    }

private:
    size_t Pick(size_t count) { return count == 0 ? 0 : random_() % count; }
    size_t Where(const std::string& text) { return Pick(text.size() + 1); }
    static std::string Repeat(const char* piece, size_t times) {
        std::string out;
        while (times-- > 0)
            out += piece;
        return out;
    }

    std::string base_;
    std::mt19937 random_;
};

// The length of a text, failing the test when no terminator comes within the library's bound.
size_t BoundedLength(LPCWSTR text) {
    for (size_t i = 0; i <= static_cast<size_t>(kMaxTextChars); ++i)
        if (text[i] == 0)
            return i;
    ADD_FAILURE() << "an answer runs past " << kMaxTextChars << " characters";
    return kMaxTextChars + 1;
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Every text of the dialog and its controls ends within the library's bound.
void ExpectBoundedTexts(HWND dialog, int round) {
    EXPECT_LE(GetWindowTextLengthW(dialog), kMaxTextChars) << "round " << round;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_LE(GetWindowTextLengthW(child), kMaxTextChars) << "round " << round;
}

TEST(CatalogueFuzzTest, DamagedCataloguesGiveBoundedAnswersAndLeakNothing) {
    sim::Reset();
    const std::string shipped = ShippedCatalogue("qvembui.de.txt");
    const std::vector<std::u16string> keys = ProbeKeys(shipped);
    ASSERT_GT(keys.size(), 50u);
    HANDLE heap = HeapCreate(0, 0, 0);
    ResetPluginModuleState();
    InstallPlugin();
    HMODULE plugin = LoadLibraryW(kPluginPath);
    ASSERT_NE(plugin, nullptr);
    Mutator mutator(shipped);
    int accepted = 0;
    for (int round = 0; round < kRounds; ++round) {
        sim::AddFileWithContents(kGermanCataloguePath, mutator.Next());
        HANDLE instance = QvLocaleCreateEx(kCatalogueFolder, u"qvembui", heap);
        ASSERT_NE(instance, nullptr);
        if (QvLocaleInitLocale(instance, u"de_de"))
            ++accepted;
        for (const std::u16string& key : keys) {
            for (LPCWSTR answer : {QvLocaleGetString(instance, key.c_str()),
                                   QvLocaleGetSectionString(instance, u"Dialog", key.c_str()),
                                   QvLocaleGetSectionString(instance, u"Caption", key.c_str())}) {
                if (answer != nullptr) {
                    EXPECT_GT(BoundedLength(answer), 0u) << "round " << round;
                }
            }
        }
        // Dialogs take whatever the damaged catalogue still holds, and nothing longer.
        for (int dialogId : {IDD_ADVANCED_MEDIA, IDD_EMBOSS_USAGE}) {
            HWND dialog =
                CreateDialogParamW(plugin, MAKEINTRESOURCEW(dialogId), nullptr, PlainDialog, 0);
            ASSERT_NE(dialog, nullptr) << GetLastError();
            QvLocaleTranslateDialog(instance, dialog);
            ExpectBoundedTexts(dialog, round);
            DestroyWindow(dialog);
        }
        QvLocaleDispose(instance);
        ASSERT_EQ(sim::LiveHeapAllocations(heap), 0u) << "round " << round;
        ASSERT_EQ(sim::OpenFileHandles(), 0u) << "round " << round;
    }
    // Both outcomes happen: the run tried damaged files that are still catalogues, and others.
    EXPECT_GT(accepted, kRounds / 10);
    EXPECT_LT(accepted, kRounds);
    HeapDestroy(heap);
    FreeLibrary(plugin);
    EXPECT_EQ(sim::LiveWindowCount(), 0u);
}

} // namespace
