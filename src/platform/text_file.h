#pragma once
// Reading a whole text file as lines, with the runtime's text-file rules (TTextLineReader);
// a CR not followed by LF is dropped and the line goes on; lines have no length limit and
// may hold any byte, NUL included.
// A file that begins with the UTF-8 byte-order mark is turned into code page 1251 first.

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Splits text into lines in place: dropped bytes are squeezed out of the buffer, and
// the lines appended to lines are views into it.
void SplitTextLines(std::span<char> text, std::vector<std::string_view>& lines);

// A file's bytes, read whole.
struct TFileBytes {
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};

// Reads fsPath whole. Raises EInOutError with the Windows code of a failure.
TFileBytes ReadFileBytes(const std::string& fsPath);

// The bytes of a file, read whole, and its lines as views into them.
class TTextFileLines {
public:
    TTextFileLines() = default;
    TTextFileLines(TTextFileLines&&) = default;
    TTextFileLines& operator=(TTextFileLines&&) = default;

    std::size_t Count() const { return FLines.size(); }
    std::string_view operator[](std::size_t i) const { return FLines[i]; }
    std::vector<std::string_view>& Lines() { return FLines; }
    const std::vector<std::string_view>& Lines() const { return FLines; }
    // The decoded text the lines are views into: a line begins where its physical line
    // began in it (bytes within a line may have moved when CRs were squeezed out).
    const char* Text() const { return FText.get(); }
    std::size_t TextSize() const { return FSize; }

    // Decodes and splits a file's bytes; beforeSplit, if given, sees the decoded text
    // whole before the split changes it.
    static TTextFileLines FromBytes(TFileBytes bytes,
                                    const std::function<void(std::string_view)>& beforeSplit = {});
    // Reads fsPath whole. Raises EInOutError with the Windows code of a failure.
    static TTextFileLines Read(const std::string& fsPath);
    // Reads a file named by a catalogue path, found as MapPath finds it.
    static TTextFileLines ReadWindowsPath(std::string_view windowsPath,
                                          const std::string& baseFolder = {});

private:
    std::unique_ptr<char[]> FText; // the views point here; moving keeps them valid
    std::size_t FSize = 0;
    std::vector<std::string_view> FLines;
};
