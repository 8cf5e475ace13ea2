#include "json_writer.h"

#include "platform/cp1251.h"

namespace {

constexpr std::size_t kFlushAt = 1 << 20;

void AppendEscaped(std::string& out, std::string_view cp1251) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (char ch : cp1251) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            char16_t u = Cp1251ToUnicode(c);
            if (u < 0x800) {
                out += static_cast<char>(0xC0 | (u >> 6));
            } else {
                out += static_cast<char>(0xE0 | (u >> 12));
                out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            }
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c >= 0x20 && c != 0x7F) {
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    out += '"';
}

} // namespace

std::string JsonString(std::string_view cp1251) {
    std::string out;
    AppendEscaped(out, cp1251);
    return out;
}

void TJsonWriter::Reserve() {
    if (FBuffer.size() >= kFlushAt) Flush();
}

TJsonWriter& TJsonWriter::Raw(std::string_view text) {
    FBuffer += text;
    Reserve();
    return *this;
}

TJsonWriter& TJsonWriter::Number(unsigned long long value) {
    BeforeValue();
    FBuffer += std::to_string(value);
    Reserve();
    return *this;
}

TJsonWriter& TJsonWriter::Int(long long value) {
    BeforeValue();
    FBuffer += std::to_string(value);
    Reserve();
    return *this;
}

TJsonWriter& TJsonWriter::Bool(bool value) {
    BeforeValue();
    FBuffer += value ? "true" : "false";
    return *this;
}

TJsonWriter& TJsonWriter::Null() {
    BeforeValue();
    FBuffer += "null";
    return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view cp1251) {
    BeforeValue();
    AppendEscaped(FBuffer, cp1251);
    Reserve();
    return *this;
}

void TJsonWriter::BeforeValue() {
    if (FAfterKey) {
        FAfterKey = false;
        return;
    }
    if (FOpen.empty()) return;
    if (FOpen.back()) FBuffer += ", ";
    FOpen.back() = 1;
}

TJsonWriter& TJsonWriter::Open(char bracket) {
    BeforeValue();
    FBuffer += bracket;
    FOpen.push_back(0);
    return *this;
}

TJsonWriter& TJsonWriter::Close(char bracket) {
    FOpen.pop_back();
    FBuffer += bracket;
    Reserve();
    return *this;
}

TJsonWriter& TJsonWriter::BeginObject() { return Open('{'); }
TJsonWriter& TJsonWriter::EndObject() { return Close('}'); }
TJsonWriter& TJsonWriter::BeginArray() { return Open('['); }
TJsonWriter& TJsonWriter::EndArray() { return Close(']'); }

TJsonWriter& TJsonWriter::Key(std::string_view name) {
    BeforeValue();
    AppendEscaped(FBuffer, name);
    FBuffer += ": ";
    FAfterKey = true;
    return *this;
}

void TJsonWriter::Flush() {
    if (!FBuffer.empty()) std::fwrite(FBuffer.data(), 1, FBuffer.size(), FOut);
    FBuffer.clear();
    std::fflush(FOut);
}
