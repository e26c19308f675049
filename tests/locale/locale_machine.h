// The real locale and peripherals libraries on the simulated machine, and the catalogues we ship.
#pragma once

#include "support/plugin_machine.h"

#include <string>

// Where the plug-in looks for catalogues with "QVDir" C:\Program Files\Quorvane and the driver
// "Tarvik".
extern const char16_t kInstallFolder[];
extern const char16_t kCatalogueFolder[];
extern const char16_t kGermanCataloguePath[];

// Registers qvlocale.dll and qvdevapi.dll (the libraries of siblings/) where the plug-in loads
// them.
void InstallLocaleLibrary();
void InstallPeripheralsLibrary();

// A catalogue file of siblings/locale/catalogues, byte for byte.
std::string ShippedCatalogue(const char* fileName);

// "QVDir", the German catalogue in the catalogue folder and "Locale" = `code`.
void InstallGerman(const char16_t* code = u"de_de");
