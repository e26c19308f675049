// Finding and reading a language's catalogue file into the instance's heap.
#pragma once

#include "catalogue.h"

// Loads "<folder>\<name>.<code>.txt" into *catalogue. False, with an empty catalogue, when the
// file is missing, unreadable, above kMaxCatalogueBytes or refused by the parser.
bool LoadCatalogueFile(LPCWSTR folder, LPCWSTR name, LPCWSTR code, HANDLE heap,
                       Catalogue* catalogue);

// Frees what LoadCatalogueFile allocated and leaves the catalogue empty.
void FreeCatalogue(Catalogue* catalogue);
