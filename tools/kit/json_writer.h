#pragma once
// Buffered JSON output in UTF-8 for the kit's commands; strings come in code page 1251.

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

class TJsonWriter {
public:
    explicit TJsonWriter(std::FILE* out) : FOut(out) {}
    ~TJsonWriter() { Flush(); }
    TJsonWriter(const TJsonWriter&) = delete;
    TJsonWriter& operator=(const TJsonWriter&) = delete;

    // Raw JSON punctuation or numbers.
    TJsonWriter& Raw(std::string_view text);
    TJsonWriter& Number(unsigned long long value);
    TJsonWriter& Int(long long value);
    TJsonWriter& Bool(bool value);
    TJsonWriter& Null();
    // A quoted, escaped string from code page 1251 text.
    TJsonWriter& String(std::string_view cp1251);

    // Objects and arrays that keep their own commas: ", " between members, ": " after
    // a key. Values written inside them need no punctuation of their own.
    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    TJsonWriter& Key(std::string_view name);
    // Key and value at once.
    template <class T> TJsonWriter& Member(std::string_view name, const T& value);

    void Flush();

private:
    void Reserve();
    // The comma before a value inside an object or array.
    void BeforeValue();
    TJsonWriter& Open(char bracket);
    TJsonWriter& Close(char bracket);
    std::FILE* FOut;
    std::string FBuffer;
    std::string FOpen; // one entry an open object or array: whether it has a member yet
    bool FAfterKey = false;
};

template <class T> TJsonWriter& TJsonWriter::Member(std::string_view name, const T& value) {
    Key(name);
    if constexpr (std::is_same_v<T, bool>)
        return Bool(value);
    else if constexpr (std::is_integral_v<T>)
        return Int(value);
    else
        return String(value);
}

// The JSON string literal of a code page 1251 text, in UTF-8.
std::string JsonString(std::string_view cp1251);
