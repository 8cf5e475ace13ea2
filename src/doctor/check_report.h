#pragma once
// What the catalogue doctor finds: problems a person at the disc would meet, each tied
// to the catalogue line an author would open.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class TSeverity { Error, Warning };

// The codes, in the order problems on one line are listed.
enum class TProblemCode {
    Encoding,
    Unmappable,
    CtrlZ,
    BlankLine,
    FewFields,
    MissingFolder,
    BadPicture,
    MissingThumbnail,
    MissingScreenshot,
    ThumbnailCut,
    TwinCategory,
    DuplicateTitle,
    TitleCut,
    Ampersand,
    UnusedFolder,
    UnreadableFolder,
};

// "missing-folder", "bad-picture", ...
std::string_view ProblemCodeName(TProblemCode code);
TSeverity ProblemSeverity(TProblemCode code);

struct TProblem {
    int Line = 0; // 1-based, as the author's editor counts lines
    TProblemCode Code{};
    std::string Category; // code page 1251, like everything the catalogue holds
    std::string Title;
    std::string Message;
    TSeverity Severity() const { return ProblemSeverity(Code); }
};

struct TCheckReport {
    std::size_t Titles = 0;
    std::size_t Categories = 0;
    std::vector<TProblem> Problems; // in line order
    std::size_t Count(TSeverity severity) const;
};

// Puts problems in line order, those of one line in the order of their codes.
void SortProblems(std::vector<TProblem>& problems);
