#include "platform/text_file.h"

#include "platform/byte_order_mark.h"
#include "platform/file_names.h"
#include "platform/file_open.h"
#include "platform/in_out_error.h"
#include "platform/text_lines.h"

#include <algorithm>
#include <cstring>

void SplitTextLines(std::span<char> text, std::vector<std::string_view>& lines) {
    char* const base = text.data();
    // Counted first, so the list is allocated once, at its size: a file of short lines
    // would otherwise pass through a list twice too large.
    lines.reserve(lines.size() + std::count(base, base + text.size(), '\n') + 1);
    TTextLineReader reader(std::string_view(base, text.size()));
    while (std::optional<TFileLine> line = reader.Next()) {
        if (line->EndsText) break;
        char* begin = base + line->Begin;
        char* end = base + line->TextEnd;
        // A CR that is not part of a CR LF is squeezed out.
        if (char* cr = static_cast<char*>(std::memchr(begin, '\r', end - begin))) {
            char* w = cr;
            for (char* r = cr; r < end; ++r)
                if (*r != '\r') *w++ = *r;
            end = w;
        }
        lines.emplace_back(begin, end - begin);
    }
}

TFileBytes ReadFileBytes(const std::string& fsPath) {
    TReadOnlyFile file(fsPath);
    if (!file.IsOpen()) throw EInOutError(file.ErrorCode());
    // Until the read ends, so a writer waits for it instead of changing the bytes under it.
    if (!file.KeepWritersOut()) throw EInOutError(ERROR_SHARING_VIOLATION);

    // The size is a hint only: a file that grows meanwhile is read to its end.
    std::size_t capacity = static_cast<std::size_t>(file.Size()) + 1;
    std::unique_ptr<char[]> buffer(new char[capacity]);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            std::size_t grown = capacity * 2;
            std::unique_ptr<char[]> bigger(new char[grown]);
            std::memcpy(bigger.get(), buffer.get(), size);
            buffer = std::move(bigger);
            capacity = grown;
        }
        const std::int64_t got = file.Read(buffer.get() + size, std::int64_t(capacity - size));
        if (got < 0) throw EInOutError(file.ErrorCode());
        if (got == 0) break;
        size += static_cast<std::size_t>(got);
    }
    return {std::move(buffer), size};
}

TTextFileLines TTextFileLines::FromBytes(TFileBytes bytes, const std::function<void(std::string_view)>& beforeSplit) {
    TTextFileLines result;
    result.FText = std::move(bytes.Data);
    result.FSize = DecodeMarkedUtf8(std::span<char>(result.FText.get(), bytes.Size));
    if (beforeSplit) beforeSplit(std::string_view(result.FText.get(), result.FSize));
    SplitTextLines(std::span<char>(result.FText.get(), result.FSize), result.FLines);
    return result;
}

TTextFileLines TTextFileLines::Read(const std::string& fsPath) {
    return FromBytes(ReadFileBytes(fsPath));
}

TTextFileLines TTextFileLines::ReadWindowsPath(std::string_view windowsPath,
                                               const std::string& baseFolder) {
    return Read(MapPath(windowsPath, baseFolder).FsPath);
}
