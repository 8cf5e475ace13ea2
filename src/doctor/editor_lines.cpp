#include "doctor/editor_lines.h"

#include <algorithm>

TEditorLines::TEditorLines(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        FStarts.push_back(start);
        start = i + 1;
    }
    if (start < text.size()) FStarts.push_back(start);
}

int TEditorLines::LineAt(std::size_t offset) const {
    auto after = std::upper_bound(FStarts.begin(), FStarts.end(), offset);
    return std::max<int>(1, int(after - FStarts.begin()));
}
