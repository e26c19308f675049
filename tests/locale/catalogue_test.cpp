// The locale library's catalogues: sections, escapes, languages, and every way a catalogue can be
// wrong, each falling back to English without touching memory it does not own.
#include "locale/locale_machine.h"

#include "catalogue.h"
#include "qvlocale.h"

#include <string>

namespace {

const char16_t kFolder[] = u"C:\\Locale";
const char16_t kGermanFile[] = u"C:\\Locale\\app.de.txt";

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        heap_ = HeapCreate(0, 0, 0);
    }
    void TearDown() override {
        Close();
        EXPECT_EQ(sim::LiveHeapAllocations(heap_), 0u) << "the instance left blocks behind";
        EXPECT_EQ(sim::OpenFileHandles(), 0u) << "a catalogue file is still open";
        HeapDestroy(heap_);
    }

    // A fresh instance for "app" in C:\Locale with the language chosen.
    BOOL Open(const char16_t* code, const char16_t* folder = kFolder) {
        Close();
        instance_ = QvLocaleCreateEx(folder, u"app", heap_);
        EXPECT_NE(instance_, nullptr);
        return QvLocaleInitLocale(instance_, code);
    }
    void Close() {
        QvLocaleDispose(instance_);
        instance_ = nullptr;
    }
    static void Put(const std::string& body, const char16_t* path = kGermanFile) {
        sim::AddFileWithContents(path, body);
    }
    std::u16string Text(const char16_t* english, const char16_t* section = nullptr) const {
        LPCWSTR answer = section ? QvLocaleGetSectionString(instance_, section, english)
                                 : QvLocaleGetString(instance_, english);
        return answer ? std::u16string(answer) : u"<null>";
    }
    std::u16string Active() const { return QvLocaleGetActiveLocale(instance_); }

    HANDLE heap_ = nullptr;
    HANDLE instance_ = nullptr;
};

TEST_F(CatalogueTest, SectionsEscapesAndEntriesLeftOut) {
    Put("\xEF\xBB\xBFqvlocale catalogue 1\r\n"
        "# a comment\r\n"
        "Before any section = ignored\n"
        "[Strings]\n"
        "  Printer ready \t=  Drucker bereit  \n"
        "Two\\nlines = Zwei\\r\\nZeilen\\s\n"
        "a\\=b = c\n"
        "\\#1 = eins\n"
        "Twice = erstes\n"
        "Bad escape = \\q\n"
        "No separator\n"
        "Empty =\n"
        "Overlong = " +
        std::string(1100, 'x') +
        "\n"
        "Twice = zweites\n"
        "Paper jam = Papierstau\n"
        "[Caption]\n"
        "Service = Wartung\n"
        "[strings]\n"
        "Out of paper = Kein Papier\n"
        "[End]\n"
        "After the end = ignored\n");
    ASSERT_TRUE(Open(u"de"));
    EXPECT_EQ(Active(), u"de");
    EXPECT_EQ(Text(u"Printer ready"), u"Drucker bereit");
    EXPECT_EQ(Text(u"Two\nlines"), u"Zwei\r\nZeilen ");
    EXPECT_EQ(Text(u"a=b"), u"c");
    EXPECT_EQ(Text(u"#1"), u"eins");
    EXPECT_EQ(Text(u"Paper jam"), u"Papierstau") << "entries after the refused ones still count";
    EXPECT_EQ(Text(u"Out of paper"), u"Kein Papier") << "a section may come back";
    for (const char16_t* english :
         {u"Before any section", u"Twice", u"Bad escape", u"No separator", u"Empty", u"Overlong",
          u"After the end", u"Service", u"printer ready"})
        EXPECT_EQ(Text(english), u"<null>") << testing::PrintToString(std::u16string(english));
    EXPECT_EQ(Text(u"Service", u"Caption"), u"Wartung");
    EXPECT_EQ(Text(u"Service", u"CAPTION"), u"Wartung") << "section names ignore case";
    EXPECT_EQ(Text(u"Service", u"Label"), u"<null>");
    EXPECT_EQ(Text(u"Service", u"Caption-that-is-far-too-long-to-be-a-section"), u"<null>");

    LPVOID list = nullptr;
    ASSERT_TRUE(QvLocaleEnumLocales(instance_, &list));
    auto* codes = static_cast<LPCWSTR>(list);
    EXPECT_EQ(std::u16string(codes), u"en_us");
    EXPECT_EQ(std::u16string(codes + 6), u"de");
    EXPECT_EQ(codes[9], 0) << "the list ends with an empty text";
}

TEST_F(CatalogueTest, TheLanguageIsFoundOrEnglishStays) {
    Put("qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker bereit\n[End]\n");
    // A regional code finds the language's catalogue; codes ignore case.
    ASSERT_TRUE(Open(u"de_DE"));
    EXPECT_EQ(Active(), u"de_de");
    EXPECT_EQ(Text(u"Printer ready"), u"Drucker bereit");
    ASSERT_TRUE(Open(u"de-AT"));
    EXPECT_EQ(Active(), u"de-at");
    EXPECT_EQ(Text(u"Printer ready"), u"Drucker bereit");
    Put("qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker ist bereit\n[End]\n",
        u"C:\\Locale\\app.de_at.txt");
    ASSERT_TRUE(Open(u"de_at"));
    EXPECT_EQ(Text(u"Printer ready"), u"Drucker ist bereit") << "the regional file comes first";

    // English needs no catalogue; a language without one, or a code that could leave the folder,
    // stays English.
    EXPECT_TRUE(Open(u"en_us"));
    EXPECT_EQ(Text(u"Printer ready"), u"<null>");
    for (const char16_t* code :
         {u"fr_fr", u"..\\de", u"de.", u"", u"de_de_de_de_de_de_de_de_de_de_de"}) {
        EXPECT_FALSE(Open(code)) << testing::PrintToString(std::u16string(code));
        EXPECT_EQ(Active(), u"en_us");
        EXPECT_EQ(Text(u"Printer ready"), u"<null>");
    }
    EXPECT_FALSE(QvLocaleInitLocale(instance_, nullptr));

    // Choosing again drops the earlier language.
    ASSERT_TRUE(Open(u"de"));
    EXPECT_TRUE(QvLocaleInitLocale(instance_, u"en_gb"));
    EXPECT_EQ(Text(u"Printer ready"), u"<null>");

    // Catalogues come from a full path only: a folder built from an empty "QVDir" is relative.
    EXPECT_FALSE(Open(u"de", u"\\Tarvik\\Tarvik\\Locale"));
    EXPECT_FALSE(Open(u"de", u"C:\\Missing"));
    EXPECT_EQ(QvLocaleCreateEx(kFolder, u"..\\app", heap_), nullptr);
    EXPECT_EQ(QvLocaleCreateEx(nullptr, u"app", heap_), nullptr);
}

TEST_F(CatalogueTest, MalformedFilesFallBackToEnglishWhole) {
    const std::string good = "qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker bereit\n";
    std::string manyEntries = "qvlocale catalogue 1\n[Strings]\n";
    for (int i = 0; i <= kMaxEntries; ++i)
        manyEntries += "k" + std::to_string(i) + " = v\n";
    std::string manySections = "qvlocale catalogue 1\n";
    for (int i = 0; i <= kMaxSections; ++i)
        manySections += "[S" + std::to_string(i) + "]\nPrinter ready = x\n";
    std::string huge = good + "# " + std::string(kMaxCatalogueBytes, 'x') + "\n[End]\n";
    const std::pair<const char*, std::string> cases[] = {
        {"no [End]: a truncated file", good},
        {"cut inside a character", good + "Paper jam = Papierst\xC3"},
        {"no signature", "[Strings]\nPrinter ready = Drucker bereit\n[End]\n"},
        {"another version", "qvlocale catalogue 2\n[Strings]\nPrinter ready = x\n[End]\n"},
        {"an overlong encoding", good + "A = \xC0\xAF\n[End]\n"},
        {"a surrogate", good + "A = \xED\xA0\x80\n[End]\n"},
        {"above U+10FFFF", good + "A = \xF4\x90\x80\x80\n[End]\n"},
        {"a stray continuation byte", good + "A = \x80\n[End]\n"},
        {"Latin-1 instead of UTF-8", good + "A = Gr\xF6\xDF"
                                            "e\n[End]\n"},
        {"a NUL character", good + std::string("A = x\0y\n[End]\n", 14)},
        {"more entries than allowed", manyEntries + "[End]\n"},
        {"more sections than allowed", manySections + "[End]\n"},
        {"above 1 MiB", huge},
        {"empty", ""},
    };
    for (const auto& [what, body] : cases) {
        Put(body);
        EXPECT_FALSE(Open(u"de")) << what;
        EXPECT_EQ(Text(u"Printer ready"), u"<null>") << what;
        EXPECT_EQ(Active(), u"en_us") << what;
        EXPECT_FALSE(QvLocaleTranslateDialog(instance_, nullptr)) << what;
    }
    Put(good + "[End]\n");
    EXPECT_TRUE(Open(u"de")) << "the good file itself is accepted";
    EXPECT_EQ(Text(u"Printer ready"), u"Drucker bereit");
}

TEST_F(CatalogueTest, ForeignAndStaleHandlesAreAnsweredLikeMissingTexts) {
    Put("qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker bereit\n[End]\n");
    ASSERT_TRUE(Open(u"de"));
    int foreign = 0;
    EXPECT_EQ(QvLocaleGetString(&foreign, u"Printer ready"), nullptr);
    EXPECT_EQ(QvLocaleGetString(nullptr, u"Printer ready"), nullptr);
    EXPECT_EQ(QvLocaleGetString(instance_, nullptr), nullptr);
    EXPECT_EQ(QvLocaleGetSectionString(instance_, nullptr, u"Printer ready"), nullptr);
    EXPECT_FALSE(QvLocaleInitLocale(&foreign, u"de"));
    HANDLE stale = instance_;
    Close();
    EXPECT_EQ(QvLocaleGetString(stale, u"Printer ready"), nullptr);
    QvLocaleDispose(stale); // a second Dispose is harmless
    EXPECT_EQ(QvLocaleGetActiveLocale(stale), nullptr);
    LPVOID list = &foreign;
    EXPECT_FALSE(QvLocaleEnumLocaleStrings(stale, &list));
    EXPECT_EQ(list, nullptr);

    // Create uses the process heap and Dispose gives all of it back.
    std::size_t before = sim::LiveHeapAllocations(GetProcessHeap());
    HANDLE own = QvLocaleCreate(kFolder, u"app");
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(QvLocaleInitLocale(own, u"de"));
    EXPECT_GT(sim::LiveHeapAllocations(GetProcessHeap()), before);
    QvLocaleDispose(own);
    EXPECT_EQ(sim::LiveHeapAllocations(GetProcessHeap()), before);
}

TEST_F(CatalogueTest, ShortMemoryLeavesEnglish) {
    Put("qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker bereit\n[End]\n");
    instance_ = QvLocaleCreateEx(kFolder, u"app", heap_);
    ASSERT_NE(instance_, nullptr);
    sim::FailNextHeapAllocations(1, heap_);
    EXPECT_FALSE(QvLocaleInitLocale(instance_, u"de"));
    EXPECT_EQ(Text(u"Printer ready"), u"<null>");
    EXPECT_TRUE(QvLocaleInitLocale(instance_, u"de")) << "memory is back";
    Close();
    sim::FailNextHeapAllocations(1, heap_);
    EXPECT_EQ(QvLocaleCreateEx(kFolder, u"app", heap_), nullptr);
}

} // namespace
