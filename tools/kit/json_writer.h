#pragma once
// Buffered JSON output in UTF-8 for the kit's commands; strings come in code page 1251.

#include <cstdio>
#include <string>
#include <string_view>

class TJsonWriter {
public:
    explicit TJsonWriter(std::FILE* out) : FOut(out) {}
    ~TJsonWriter() { Flush(); }
    TJsonWriter(const TJsonWriter&) = delete;
    TJsonWriter& operator=(const TJsonWriter&) = delete;

    // Raw JSON punctuation or numbers.
    TJsonWriter& Raw(std::string_view text);
    TJsonWriter& Number(unsigned long long value);
    // A quoted, escaped string from code page 1251 text.
    TJsonWriter& String(std::string_view cp1251);
    void Flush();

private:
    void Reserve();
    std::FILE* FOut;
    std::string FBuffer;
};

// The JSON string literal of a code page 1251 text, in UTF-8.
std::string JsonString(std::string_view cp1251);
