#include "toolkit/text_layout.h"

#include <algorithm>

namespace {

struct TStripped {
    std::string Text;
    int AcceleratorIndex = -1;
};

// Removes accelerator marks: "&x" shows x underlined, "&&" one ampersand.
TStripped StripAccelerators(std::string_view text) {
    TStripped result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&') result.AcceleratorIndex = int(result.Text.size());
        } else if (text[i] == '&') {
            continue;
        }
        result.Text += text[i];
    }
    return result;
}

std::vector<std::string_view> SplitHardLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::string RemoveAcceleratorMarks(std::string_view text) { return StripAccelerators(text).Text; }

int MeasureWithTabs(std::string_view line, int tabWidth, const TTextMeasure& measure) {
    if (line.find('\t') == std::string_view::npos || tabWidth <= 0) return measure(line);
    int x = 0;
    size_t start = 0;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != '\t') continue;
        x += measure(line.substr(start, i - start));
        if (i < line.size()) x = (x / tabWidth + 1) * tabWidth;
        start = i + 1;
    }
    return x;
}

std::vector<TTextLine> LayoutText(std::string_view text, const TTextLayoutOptions& options,
                                  const TTextMeasure& measure) {
    int tabWidth = options.ExpandTabs ? options.TabWidth : 0;
    auto width = [&](std::string_view s) { return MeasureWithTabs(s, tabWidth, measure); };
    std::vector<TTextLine> lines;
    // Accelerator marks come off first so they take no room; the mark of the whole
    // text is remembered by its position in the stripped text.
    TStripped stripped = options.ShowAccelChar ? StripAccelerators(text) : TStripped{std::string(text), -1};
    const std::string& all = stripped.Text;
    size_t hardStart = 0;
    for (std::string_view hard : SplitHardLines(all)) {
        hardStart = size_t(hard.data() - all.data());
        auto emit = [&](size_t from, size_t to) {
            TTextLine line;
            line.Text = std::string(all.substr(from, to - from));
            line.Width = width(line.Text);
            if (stripped.AcceleratorIndex >= int(from) && stripped.AcceleratorIndex < int(to))
                line.AcceleratorIndex = stripped.AcceleratorIndex - int(from);
            lines.push_back(std::move(line));
        };
        size_t end = hardStart + hard.size();
        if (!options.WordWrap) {
            emit(hardStart, end);
            continue;
        }
        size_t lineStart = hardStart;
        while (true) {
            // Take words while they fit; the first word always goes on the line.
            size_t pos = lineStart;
            size_t lineEnd = lineStart;
            bool first = true;
            while (pos < end) {
                size_t wordStart = pos;
                while (wordStart < end && all[wordStart] == ' ') ++wordStart;
                size_t wordEnd = wordStart;
                while (wordEnd < end && all[wordEnd] != ' ') ++wordEnd;
                if (wordStart == end) {
                    // Only blanks are left; they stay on this line.
                    lineEnd = end;
                    pos = end;
                    break;
                }
                if (!first && width(all.substr(lineStart, wordEnd - lineStart)) > options.MaxWidth) break;
                lineEnd = wordEnd;
                pos = wordEnd;
                first = false;
            }
            size_t shownEnd = lineEnd;
            if (pos < end) {
                // Blanks at the break are not shown.
                while (shownEnd > lineStart && all[shownEnd - 1] == ' ') --shownEnd;
            }
            emit(lineStart, shownEnd);
            if (pos >= end) break;
            lineStart = pos;
            while (lineStart < end && all[lineStart] == ' ') ++lineStart;
            if (lineStart >= end) break;
        }
    }
    return lines;
}
