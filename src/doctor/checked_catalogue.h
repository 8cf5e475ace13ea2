#pragma once
// The catalogue as the launcher loaded it, and where each of its records and categories
// stands in the file, so that every problem points at the line an author would open.

#include "catalogue/catalogue.h"
#include "doctor/check_report.h"
#include "doctor/editor_lines.h"

#include <string>
#include <vector>

class TCheckedCatalogue {
public:
    // lines numbers the decoded text the catalogue was loaded from.
    TCheckedCatalogue(const TCatalogue& catalogue, const TEditorLines& lines);

    const TCatalogue& Catalogue() const { return FCatalogue; }
    int RecordLine(std::size_t record) const { return FRecordLine[record]; }
    // The first line of the file that names the category.
    int CategoryLine(std::size_t k) const { return FCategoryLine[k]; }
    // The records of category k in the order of their lines in the file.
    std::vector<std::size_t> RecordsInFileOrder(std::size_t k) const;

    TProblem AtRecord(std::size_t record, TProblemCode code, std::string message) const;
    TProblem AtCategory(std::size_t k, TProblemCode code, std::string message) const;

private:
    const TCatalogue& FCatalogue;
    std::vector<int> FRecordLine;
    std::vector<int> FCategoryLine;
};

// A catalogue text quoted in a message.
std::string Quoted(std::string_view cp1251);
