// The locale library's catalogues: sections, escapes and entries left out, malformed files
// refused whole (the library then stays English), and the language a code asks for.
#include "locale/catalogue.h"
#include "locale/locale_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A catalogue parsed into the room it asks for, or into `textChars`.
struct Parsed {
    explicit Parsed(const std::string& file, SIZE_T textChars = 0) {
        auto bytes = reinterpret_cast<const BYTE*>(file.data());
        SIZE_T chars = 0;
        int entries = 0;
        CatalogueRoom(bytes, file.size(), &chars, &entries);
        text.resize(textChars != 0 ? textChars : chars);
        room.resize(entries);
        ok = ParseCatalogue(bytes, file.size(), text.data(), text.size(), room.data(), entries,
                            &catalogue);
    }
    std::u16string Text(const char16_t* english, const char16_t* section = u"Strings") const {
        LPCWSTR answer = FindTranslation(&catalogue, section, english);
        return answer != nullptr ? answer : u"<none>";
    }
    std::vector<WCHAR> text;
    std::vector<CatalogueEntry> room;
    Catalogue catalogue = {};
    bool ok = false;
};

const std::string kGood = "qvlocale catalogue 1\n[Strings]\nPrinter ready = Drucker bereit\n";

TEST(Catalogue, SectionsEscapesAndEntriesLeftOut) {
    Parsed parsed(
        "\xEF\xBB\xBFqvlocale catalogue 1\r\n# a comment\r\nBefore any section = x\n"
        "[Strings]\n  Printer ready \t=  Drucker bereit  \nTwo\\nlines = Zwei\\r\\nZeilen\\s\n"
        "a\\=b = c\n\\#1 = eins\nTwice = erstes\nBad escape = \\q\nNo separator\nEmpty =\n"
        "Overlong = " +
        std::string(1100, 'x') +
        "\nTwice = zweites\n"
        "[Caption]\nService = Wartung\n[strings]\nOut of paper = Kein Papier\n[End]\n"
        "After the end = x\n");
    ASSERT_TRUE(parsed.ok);
    const std::pair<const char16_t*, const char16_t*> kAnswers[] = {
        {u"Printer ready", u"Drucker bereit"},
        {u"Two\nlines", u"Zwei\r\nZeilen "},
        {u"a=b", u"c"},
        {u"#1", u"eins"},
        {u"Out of paper", u"Kein Papier"}};
    for (const auto& [english, answer] : kAnswers)
        EXPECT_EQ(parsed.Text(english), answer) << testing::PrintToString(std::u16string(english));
    for (const char16_t* english :
         {u"Before any section", u"Twice", u"Bad escape", u"No separator", u"Empty", u"Overlong",
          u"After the end", u"Service", u"printer ready"})
        EXPECT_EQ(parsed.Text(english), u"<none>")
            << testing::PrintToString(std::u16string(english));
    EXPECT_EQ(parsed.Text(u"Service", u"CAPTION"), u"Wartung") << "section names ignore case";
    EXPECT_EQ(parsed.Text(u"Service", u"Label"), u"<none>");
}

TEST(Catalogue, MalformedFilesAreRefusedWhole) {
    std::string manyEntries = "qvlocale catalogue 1\n[Strings]\n";
    for (int i = 0; i <= kMaxEntries; ++i)
        manyEntries += "k" + std::to_string(i) + " = v\n";
    std::string manySections = "qvlocale catalogue 1\n";
    for (int i = 0; i <= kMaxSections; ++i)
        manySections += "[S" + std::to_string(i) + "]\nPrinter ready = x\n";
    const std::pair<const char*, std::string> kFiles[] = {
        {"no [End]: a truncated file", kGood},
        {"cut inside a character", kGood + "Paper jam = Papierst\xC3"},
        {"no signature", "[Strings]\nPrinter ready = Drucker bereit\n[End]\n"},
        {"another version", "qvlocale catalogue 2\n[Strings]\nPrinter ready = x\n[End]\n"},
        {"an overlong encoding", kGood + "A = \xC0\xAF\n[End]\n"},
        {"a surrogate", kGood + "A = \xED\xA0\x80\n[End]\n"},
        {"above U+10FFFF", kGood + "A = \xF4\x90\x80\x80\n[End]\n"},
        {"Latin-1", kGood + "A = Gr\xF6\xDF\n[End]\n"},
        {"a NUL character", kGood + std::string("A = x\0y\n[End]\n", 14)},
        {"more entries than allowed", manyEntries + "[End]\n"},
        {"more sections than allowed", manySections + "[End]\n"},
        {"above 1 MiB", kGood + "# " + std::string(kMaxCatalogueBytes, 'x') + "\n[End]\n"},
        {"empty", ""}};
    for (const auto& [what, file] : kFiles) {
        Parsed parsed(file);
        EXPECT_EQ(std::tuple(parsed.ok, parsed.catalogue.count, parsed.Text(u"Printer ready")),
                  std::tuple(false, 0, u"<none>"))
            << what;
    }
    EXPECT_FALSE(Parsed(kGood + "[End]\n", 20).ok) << "too little room is refused, never overrun";
}

TEST(Catalogue, ACodeAsksForItsCatalogueThenItsLanguageOrStaysEnglish) {
    // What the library then looks for: "code/language", "English" or "Refused".
    const std::pair<const char16_t*, const char16_t*> kCodes[] = {
        {u"de_DE", u"de_de/de"}, {u"de-AT", u"de-at/de"},
        {u"fr", u"fr/"},         {u"EN_us", u"English"},
        {u"en-GB", u"English"},  {u"eng", u"eng/"},
        {u"..\\de", u"Refused"}, {u"de.", u"Refused"},
        {u"", u"Refused"},       {u"de_de_de_de_de_de_de_de_de_de_de", u"Refused"}};
    for (const auto& [requested, asked] : kCodes) {
        WCHAR code[kCodeChars], language[kCodeChars];
        LocaleRequest request = ReadLocaleCode(requested, code, language);
        EXPECT_EQ(request == LocaleRequest::Catalogue ? std::u16string(code) + u"/" + language
                  : request == LocaleRequest::English ? u"English"
                                                      : u"Refused",
                  asked);
    }
    EXPECT_FALSE(IsPlainName(u"..\\app", 64)) << "a catalogue name cannot leave its folder";
    EXPECT_TRUE(IsFullPath(u"C:\\Locale") && IsFullPath(u"\\\\server\\share"));
    EXPECT_FALSE(IsFullPath(u"\\Tarvik\\Locale") || IsFullPath(u"Locale")) << "relative folders";
}

} // namespace
