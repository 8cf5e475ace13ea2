// vitrina-kit catalogue [--summary] [DIR]: reads DIR/db\base.txt as the launcher does
// and prints the records and the category index as one JSON object.

#include "json_writer.h"
#include "kit_commands.h"

#include "catalogue/catalogue.h"
#include "platform/exceptions.h"
#include "toolkit/application.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

void WriteList(TJsonWriter& json, const TCategoryLists& lists, std::size_t k) {
    json.Raw("[");
    for (std::size_t j = 0, n = lists.Count(k); j < n; ++j) {
        if (j) json.Raw(", ");
        json.String(lists.At(k, j));
    }
    json.Raw("]");
}

void WriteCatalogue(TJsonWriter& json, const TCatalogue& catalogue) {
    json.Raw("{\"lines\": ").Number(catalogue.LineCount()).Raw(",\n \"records\": [");
    for (std::size_t i = 0; i < catalogue.GameCount(); ++i) {
        TGame game = catalogue.Game(i);
        json.Raw(i ? ",\n  [" : "\n  [").String(game.Category).Raw(", ").String(game.Title);
        json.Raw(", ").String(game.Folder).Raw(", ").String(game.About).Raw("]");
    }
    json.Raw(catalogue.GameCount() ? "\n ],\n \"categories\": [" : "],\n \"categories\": [");
    for (std::size_t k = 0; k < catalogue.CategoryCount(); ++k) {
        json.Raw(k ? ",\n  {\"name\": " : "\n  {\"name\": ").String(catalogue.Category(k));
        json.Raw(", \"titles\": ");
        WriteList(json, catalogue.Titles(), k);
        json.Raw(", \"folders\": ");
        WriteList(json, catalogue.Folders(), k);
        json.Raw(", \"abouts\": ");
        WriteList(json, catalogue.Abouts(), k);
        json.Raw("}");
    }
    json.Raw(catalogue.CategoryCount() ? "\n ]}\n" : "]}\n");
}

} // namespace

int RunCatalogueCommand(std::span<char*> args) {
    bool summary = false;
    std::string folder;
    bool haveFolder = false;
    for (std::string_view arg : args) {
        if (arg == "--summary") {
            summary = true;
        } else if (!haveFolder && !(arg.size() > 1 && arg[0] == '-')) {
            folder = arg;
            haveFolder = true;
        } else {
            std::fprintf(stderr, "usage: vitrina-kit catalogue [--summary] [DIR]\n");
            return 2;
        }
    }
    TCatalogue catalogue(folder);
    try {
        catalogue.LoadCatalogue();
        catalogue.SplitRecords();
        catalogue.BuildCategoryIndex();
    } catch (const Exception& e) {
        // What the application's error report would show.
        std::fprintf(stderr, "%s\n", TApplication::ReportText(e.Message()).c_str());
        return 1;
    }
    TJsonWriter json(stdout);
    if (summary)
        json.Raw("{\"lines\": ")
            .Number(catalogue.LineCount())
            .Raw(", \"categories\": ")
            .Number(catalogue.CategoryCount())
            .Raw("}\n");
    else
        WriteCatalogue(json, catalogue);
    return 0;
}
