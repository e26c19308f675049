// The real sibling libraries, registered as the plug-in finds them on a machine.
#include "locale/locale_machine.h"

#include "qvdevapi.h"
#include "qvlocale.h"

#include <fstream>
#include <sstream>

const char16_t kInstallFolder[] = u"C:\\Program Files\\Quorvane";
const char16_t kCatalogueFolder[] = u"C:\\Program Files\\Quorvane\\Tarvik\\Tarvik\\Locale";
const char16_t kGermanCataloguePath[] =
    u"C:\\Program Files\\Quorvane\\Tarvik\\Tarvik\\Locale\\qvembui.de.txt";

void InstallLocaleLibrary() {
    sim::RegisterModule(
        kLocalePath, nullptr,
        {sim::Export("Create", QvLocaleCreate), sim::Export("CreateEx", QvLocaleCreateEx),
         sim::Export("Dispose", QvLocaleDispose), sim::Export("InitLocale", QvLocaleInitLocale),
         sim::Export("EnumLocales", QvLocaleEnumLocales),
         sim::Export("EnumLocaleStrings", QvLocaleEnumLocaleStrings),
         sim::Export("GetActiveLocale", QvLocaleGetActiveLocale),
         sim::Export("GetString", QvLocaleGetString),
         sim::Export("GetSectionString", QvLocaleGetSectionString),
         sim::Export("TranslateDialog", QvLocaleTranslateDialog),
         sim::Export("TranslateMenu", QvLocaleTranslateMenu)});
}

void InstallPeripheralsLibrary() {
    sim::RegisterModule(kPeripheralsPath, nullptr,
                        {sim::Export("InstallTarvikPeripherals", InstallTarvikPeripherals)});
}

std::string ShippedCatalogue(const char* fileName) {
    std::ifstream file(std::string(QVLOCALE_CATALOGUES) + "/" + fileName, std::ios::binary);
    EXPECT_TRUE(file.good()) << fileName;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void InstallGerman(const char16_t* code) {
    InstallLocaleLibrary();
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane", u"QVDir", kInstallFolder);
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane\\TarvikSetup", u"Locale", code);
    sim::AddFileWithContents(kGermanCataloguePath, ShippedCatalogue("qvembui.de.txt"));
}
