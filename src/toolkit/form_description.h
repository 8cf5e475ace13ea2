#pragma once
// The stored description of a form: a tree of components, each with a name, a class
// name, property values and child components. It is written as text by hand,
// compiled to a compact binary stream at build time, and read back at start-up.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct TFormValue {
    enum TKind { vkInteger, vkString, vkIdent, vkBoolean, vkSet, vkList, vkBinary };
    TKind Kind = vkInteger;
    std::int64_t Integer = 0;
    bool Boolean = false;
    std::string Text;               // string (cp1251) or identifier
    std::vector<std::string> Items; // set members or list lines
    std::vector<std::uint8_t> Bytes;

    static const char* KindName(TKind kind);
};

struct TFormProperty {
    std::string Name;
    TFormValue Value;
    int Line = 0;
};

struct TFormNode {
    std::string Name;
    std::string ClassName;
    std::vector<TFormProperty> Properties;
    std::vector<TFormNode> Children;
    int Line = 0;
};

// Values written as `name("argument")` in the text are made when the text is compiled:
// file("x") gives the file's bytes, lines("x") its lines; other layers add their own
// (a stored bitmap, a stored skin). The argument is a path relative to `baseDir`.
using TValueConstructor = std::function<TFormValue(const std::string& argument, const std::string& baseDir)>;
void RegisterValueConstructor(const std::string& name, TValueConstructor constructor);

// Parses the text form of a description; errors name the source and line.
TFormNode ParseFormText(const std::string& utf8Text, const std::string& sourceName,
                        const std::string& baseDir);
TFormNode LoadFormText(const std::string& path);

std::vector<std::uint8_t> EncodeFormBinary(const TFormNode& root);
TFormNode DecodeFormBinary(const std::uint8_t* data, std::size_t size);
