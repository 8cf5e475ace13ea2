// Catalogue files from outside: split into lines, sorted, split into records and indexed
// as the launcher does, each step checked against a plain reading of the same bytes.
// The first input byte picks the language whose order applies; the rest is the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/byte_order_mark.h"
#include "platform/collation.h"
#include "platform/text_file.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// The file's lines, one byte at a time: LF or CR LF ends a line, another CR is dropped,
// Ctrl-Z ends the file at the start of a line and the line's text inside one.
std::vector<std::string> PlainLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool cut = false, atStart = true;
    for (char c : bytes) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            cut = false;
            atStart = true;
            continue;
        }
        if (c == 26 && atStart) return lines;
        atStart = false;
        if (c == 26) cut = true;
        if (!cut && c != '\r') line += c;
    }
    if (!atStart) lines.push_back(line);
    return lines;
}

// Fields 1, 2, 3 and 6, one character at a time.
TGame PlainRecord(std::string_view line, std::string fields[4]) {
    int field = 1;
    for (char c : line) {
        if (c == '@') ++field;
        else if (field <= 3) fields[field - 1] += c;
        else if (field == 6) fields[3] += c;
    }
    return {fields[0], fields[1], fields[2], fields[3]};
}

const TCollator kCollators[] = {TCollator("en_US"), TCollator("ru_RU"), TCollator("uk_UA"),
                                TCollator("mk_MK")};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const TCollator& collator = kCollators[data[0] % 4];
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    TFileBytes file{std::make_unique<char[]>(text.size()), text.size()};
    std::copy(text.begin(), text.end(), file.Data.get());

    TCatalogue catalogue({}, &collator);
    catalogue.LoadCatalogue(TTextFileLines::FromBytes(std::move(file)));
    catalogue.SplitRecords();
    catalogue.BuildCategoryIndex();

    // The sort is a permutation of the file's lines, in the comparison's order.
    if (StartsWithUtf8ByteOrderMark(text)) text.resize(DecodeMarkedUtf8(text));
    std::vector<std::string> expected = PlainLines(text);
    const std::size_t n = catalogue.LineCount();
    Check(n == expected.size() && catalogue.GameCount() == n);
    std::vector<std::string> got;
    for (std::size_t i = 0; i < n; ++i) {
        got.emplace_back(catalogue.Line(i));
        Check(collator.Compare(got[i], got[i]) == 0);
        if (i > 0) {
            const int c = collator.Compare(got[i - 1], got[i]);
            Check(c <= 0);
            Check(collator.Compare(got[i], got[i - 1]) == -c);
        }
    }
    // Adjacent pairs in order prove nothing of a comparison that is not transitive.
    if (n <= 128)
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 2; j < n; ++j)
                Check(collator.Compare(got[i], got[j]) <= 0);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> sortedBytes = got;
    std::sort(sortedBytes.begin(), sortedBytes.end());
    Check(sortedBytes == expected);

    // Each record is its line's fields.
    for (std::size_t i = 0; i < n; ++i) {
        std::string fields[4];
        const TGame plain = PlainRecord(got[i], fields);
        const TGame game = catalogue.Game(i);
        Check(game.Category == plain.Category && game.Title == plain.Title &&
              game.Folder == plain.Folder && game.About == plain.About);
    }

    // Every record in exactly one category, the one of its name; categories distinct,
    // in order of their first records, records in order within each.
    const std::size_t m = catalogue.CategoryCount();
    Check((n == 0) == (m == 0));
    std::vector<int> seen(n, 0);
    std::vector<std::string_view> names;
    std::size_t total = 0, lastFirst = 0;
    for (std::size_t k = 0; k < m; ++k) {
        const std::size_t count = catalogue.Titles().Count(k);
        Check(count >= 1 && catalogue.Folders().Count(k) == count &&
              catalogue.Abouts().Count(k) == count);
        const std::string_view name = catalogue.Category(k);
        names.push_back(name);
        for (std::size_t j = 0; j < count; ++j) {
            const std::size_t i = catalogue.GameIndex(k, j);
            Check(i < n && !seen[i]++);
            Check(j == 0 || i > catalogue.GameIndex(k, j - 1));
            const TGame game = catalogue.Game(i);
            Check(game.Category == name && catalogue.Titles().At(k, j) == game.Title &&
                  catalogue.Folders().At(k, j) == game.Folder &&
                  catalogue.Abouts().At(k, j) == game.About);
        }
        // With the names distinct, this makes each category's place that of its first
        // record.
        const std::size_t first = catalogue.GameIndex(k, 0);
        Check(k == 0 ? first == 0 : first > lastFirst);
        lastFirst = first;
        total += count;
    }
    Check(total == n);
    std::sort(names.begin(), names.end());
    Check(std::adjacent_find(names.begin(), names.end()) == names.end());
    return 0;
}
