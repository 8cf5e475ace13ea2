#pragma once
// A disc publisher's brand folder as the author keeps it (head.bmp, body.bmp,
// noimage.bmp, link.bmp, icon.png, site.txt, skin/), checked whole and converted into the form
// the launcher reads from its bundle.

#include <map>
#include <string>
#include <vector>

struct TBrandCheck {
    // One line per problem, naming the file; empty when the brand can be used.
    std::vector<std::string> Problems;
    // The converted files by name, for the bundle's brand folder.
    std::map<std::string, std::string> Converted;
};

TBrandCheck CheckBrandFolder(const std::string& folder);

// Writes the converted files into folder, which must not exist yet.
void WriteConvertedBrand(const TBrandCheck& brand, const std::string& folder);
