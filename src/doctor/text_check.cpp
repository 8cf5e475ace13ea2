#include "doctor/text_check.h"

#include "doctor/editor_lines.h"
#include "platform/byte_order_mark.h"
#include "platform/cp1251.h"
#include "platform/text_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr std::size_t kListedCharacters = 5;

TProblem Problem(int line, TProblemCode code, std::string message) {
    TProblem problem;
    problem.Line = line;
    problem.Code = code;
    problem.Message = std::move(message);
    return problem;
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The first non-ASCII byte of text that is UTF-8 throughout, if it is.
std::optional<std::size_t> FirstUtf8NonAscii(std::string_view text) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < text.size();) {
        TUtf8Char c = DecodeUtf8Char(text, i);
        if (!c.Valid) return std::nullopt;
        if (c.Code >= 0x80 && !first) first = i;
        i += c.Length;
    }
    return first;
}

bool HasText(std::string_view bytes) {
    return bytes.find_first_not_of(std::string_view("\r\x1a", 2)) != std::string_view::npos;
}

// Characters of one line that the launcher cannot show as written.
struct TUnmappable {
    std::set<char32_t> Codes;       // characters outside the code page
    std::size_t Malformed = 0;      // byte sequences that are not UTF-8
    std::size_t UndefinedBytes = 0; // 0x98 in a code page 1251 file
};

std::string CodePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

std::string UnmappableMessage(const TUnmappable& found) {
    if (found.UndefinedBytes)
        return "the byte 0x98 has no character in code page 1251" +
               (found.UndefinedBytes > 1 ? " (" + std::to_string(found.UndefinedBytes) + " times)"
                                         : std::string());
    std::string list;
    std::size_t listed = 0;
    for (char32_t c : found.Codes) {
        if (listed++ == kListedCharacters) {
            list += ", ...";
            break;
        }
        list += (list.empty() ? "" : ", ") + CodePoint(c);
    }
    if (found.Malformed)
        list += (list.empty() ? "" : ", and ") +
                Plural(found.Malformed, "byte sequence that is", "byte sequences that are") +
                " not UTF-8";
    return "code page 1251 cannot show " + list + ": shown as \"?\"";
}

class TTextScan {
public:
    TTextScan(std::string_view raw, std::vector<TProblem>& problems)
        : FRaw(raw), FLines(raw), FProblems(problems), FUtf8(StartsWithUtf8ByteOrderMark(raw)) {}

    void Run() {
        if (!FUtf8 && !CheckForeignEncoding()) return;
        // The launcher's lines, read as it reads them.
        TTextLineReader reader(FRaw, FUtf8 ? Utf8ByteOrderMark.size() : 0);
        while (std::optional<TFileLine> line = reader.Next()) {
            if (line->EndsText) {
                ReportEnd(line->Begin, line->End);
                break;
            }
            ScanCharacters(line->Begin, line->TextEnd);
            if (line->Cut && HasText(FRaw.substr(line->TextEnd + 1, line->End - line->TextEnd - 1)))
                FProblems.push_back(
                    Problem(FLines.LineAt(line->TextEnd), TProblemCode::CtrlZ,
                            "a Ctrl-Z cuts this line: the text after it is ignored"));
        }
        for (const auto& [line, found] : FUnmappable)
            FProblems.push_back(Problem(line, TProblemCode::Unmappable, UnmappableMessage(found)));
    }

private:
    // False when nothing more can be said about the text.
    bool CheckForeignEncoding() {
        if (FRaw.starts_with("\xFF\xFE") || FRaw.starts_with("\xFE\xFF")) {
            FProblems.push_back(
                Problem(1, TProblemCode::Encoding,
                        "the file is saved as UTF-16, which Vitrina cannot read: save it as "
                        "UTF-8 with a byte-order mark (BOM), or in code page 1251"));
            return false;
        }
        if (auto first = FirstUtf8NonAscii(FRaw)) {
            FProblems.push_back(
                Problem(FLines.LineAt(*first), TProblemCode::Encoding,
                        "the file is UTF-8 without a byte-order mark, so Vitrina reads it as code "
                        "page 1251 and shows garbled text: save it as UTF-8 with a byte-order mark "
                        "(BOM), or convert it to code page 1251 (Windows-1251)"));
            FSkipUndefinedBytes = true; // 0x98 is a UTF-8 continuation byte here
        }
        return true;
    }

    void ReportEnd(std::size_t at, std::size_t lineEnd) {
        const int line = FLines.LineAt(at);
        const int after = FLines.Count() - line;
        const bool restOfLine = HasText(FRaw.substr(at + 1, lineEnd - at - 1));
        if (after == 0 && !restOfLine) return; // a closing Ctrl-Z, as old editors wrote
        std::string message = "a Ctrl-Z ends the catalogue here: ";
        if (restOfLine) message += "the rest of this line";
        if (restOfLine && after) message += " and ";
        if (after) message += Plural(std::size_t(after), "line", "lines") + " after it";
        const bool many = after > 1 || (restOfLine && after > 0);
        FProblems.push_back(
            Problem(line, TProblemCode::CtrlZ, message + (many ? " are ignored" : " is ignored")));
    }

    void ScanCharacters(std::size_t from, std::size_t to) {
        if (FUtf8) {
            for (std::size_t i = from; i < to;) {
                TUtf8Char c = DecodeUtf8Char(FRaw.substr(0, to), i);
                if (!c.Valid)
                    ++Found(i).Malformed;
                else if (c.Code >= 0x80 && Utf8CharToCp1251(c) == '?')
                    Found(i).Codes.insert(c.Code);
                i += c.Length;
            }
        } else if (!FSkipUndefinedBytes) {
            for (const char* p = FRaw.data() + from;
                 (p = static_cast<const char*>(std::memchr(p, '\x98', FRaw.data() + to - p))); ++p)
                ++Found(p - FRaw.data()).UndefinedBytes;
        }
    }

    TUnmappable& Found(std::size_t at) { return FUnmappable[FLines.LineAt(at)]; }

    std::string_view FRaw;
    TEditorLines FLines;
    std::vector<TProblem>& FProblems;
    bool FUtf8;
    bool FSkipUndefinedBytes = false;
    std::map<int, TUnmappable> FUnmappable;
};

} // namespace

void CheckCatalogueText(std::string_view raw, std::vector<TProblem>& problems) {
    TTextScan(raw, problems).Run();
}
