#pragma once
// The lines of a text by the runtime's text-file rules, as places in the text, for
// every reader of catalogue-like files (the catalogue, the doctor, a brand's files):
//  - a line ends at LF; the CR of a CR LF is not part of its text;
//  - Ctrl-Z (26) at the start of a line ends the text; inside a line it ends the line's
//    text and the rest of that physical line is skipped;
//  - the last line needs no break, and a break at the very end adds no line.
// A CR elsewhere is left in place: whoever keeps the text drops it (SplitTextLines).

#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>

struct TFileLine {
    std::size_t Number =
        0; // 1-based, counting physical lines (LF-ended) from where the reading began
    std::size_t Begin = 0;   // its first byte
    std::size_t TextEnd = 0; // where its text ends: at a Ctrl-Z, the CR of a CR LF, or End
    std::size_t End = 0;     // its LF, or the end of the text
    bool Cut = false;        // a Ctrl-Z at TextEnd cuts the line short
    bool EndsText = false;   // it begins with a Ctrl-Z: neither it nor any line after it is read
};

class TTextLineReader {
public:
    static constexpr char CtrlZ = 26;

    explicit TTextLineReader(std::string_view text, std::size_t from = 0)
        : FText(text), FPos(from) {}

    // The next line; none after the last, or after the line that ends the text.
    std::optional<TFileLine> Next() {
        if (FPos >= FText.size() || FEnded) return std::nullopt;
        const char* base = FText.data();
        TFileLine line;
        line.Number = ++FNumber;
        line.Begin = FPos;
        const void* nl = std::memchr(base + FPos, '\n', FText.size() - FPos);
        line.End = nl ? std::size_t(static_cast<const char*>(nl) - base) : FText.size();
        FPos = nl ? line.End + 1 : FText.size();
        if (base[line.Begin] == CtrlZ) {
            line.TextEnd = line.Begin;
            line.EndsText = FEnded = true;
            return line;
        }
        line.TextEnd = line.End;
        if (const void* z = std::memchr(base + line.Begin, CtrlZ, line.End - line.Begin)) {
            line.TextEnd = std::size_t(static_cast<const char*>(z) - base);
            line.Cut = true;
        } else if (nl && line.End > line.Begin && base[line.End - 1] == '\r') {
            --line.TextEnd;
        }
        return line;
    }

private:
    std::string_view FText;
    std::size_t FPos;
    std::size_t FNumber = 0;
    bool FEnded = false;
};
