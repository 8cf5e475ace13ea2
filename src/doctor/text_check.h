#pragma once
// Problems in the catalogue's bytes, before any line becomes a record: how the file is
// encoded, characters the code page cannot show, Ctrl-Z cutting the text short.

#include "doctor/check_report.h"

#include <string_view>
#include <vector>

// raw is the file as stored, byte-order mark included.
void CheckCatalogueText(std::string_view raw, std::vector<TProblem>& problems);
