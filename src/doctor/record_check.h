#pragma once
// Problems a person sees in the lists and the description, found from the records alone:
// empty lines, lines too short to name a folder, categories shown twice, titles listed
// twice, ampersands the description label turns into underlines.

#include "doctor/checked_catalogue.h"

#include <vector>

// showsAccelerators: whether the description label treats "&" as an accelerator mark.
void CheckRecords(const TCheckedCatalogue& checked, bool showsAccelerators,
                  std::vector<TProblem>& problems);

// Whether a record names a folder at all: a line needs three fields for that.
bool NamesFolder(std::string_view line);
