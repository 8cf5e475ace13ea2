#pragma once
// Line numbers as the author's text editor shows them: a line ends at CR LF, at LF or
// at a lone CR, and a break at the very end of the file begins no further line.

#include <cstddef>
#include <string_view>
#include <vector>

class TEditorLines {
public:
    TEditorLines() = default;
    explicit TEditorLines(std::string_view text);

    // The 1-based number of the line that holds the byte at offset.
    int LineAt(std::size_t offset) const;
    // How many lines the file has.
    int Count() const { return int(FStarts.size()); }

private:
    std::vector<std::size_t> FStarts; // where each line begins
};
