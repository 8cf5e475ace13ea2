#include "toolkit/form_description.h"

#include "platform/cp1251.h"
#include "platform/exceptions.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::map<std::string, TValueConstructor>& Constructors() {
    static std::map<std::string, TValueConstructor> constructors;
    return constructors;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Exception("Cannot open file \"" + path + "\"");
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string JoinPath(const std::string& baseDir, const std::string& relative) {
    if (relative.empty() || relative[0] == '/' || baseDir.empty()) return relative;
    return baseDir.back() == '/' ? baseDir + relative : baseDir + "/" + relative;
}

void RegisterBuiltInConstructors() {
    static bool done = false;
    if (done) return;
    done = true;
    Constructors()["file"] = [](const std::string& argument, const std::string& baseDir) {
        TFormValue value;
        value.Kind = TFormValue::vkBinary;
        std::string content = ReadWholeFile(JoinPath(baseDir, argument));
        value.Bytes.assign(content.begin(), content.end());
        return value;
    };
    Constructors()["lines"] = [](const std::string& argument, const std::string& baseDir) {
        TFormValue value;
        value.Kind = TFormValue::vkList;
        std::string content = ReadWholeFile(JoinPath(baseDir, argument));
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\n', start);
            std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            value.Items.push_back(line);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return value;
    };
}

class TParser {
public:
    TParser(const std::string& text, const std::string& sourceName, const std::string& baseDir)
        : FText(text), FSource(sourceName), FBaseDir(baseDir) {}

    TFormNode ParseRoot() {
        SkipBlanks();
        TFormNode root = ParseObject();
        SkipBlanks();
        if (FPos < FText.size()) Fail("text after the end of the form");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw Exception(FSource + ":" + std::to_string(FLine) + ": " + what);
    }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++FPos;
            } else if (c == '#') {
                while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
            } else {
                break;
            }
        }
    }

    bool Peek(char c) {
        SkipBlanks();
        return FPos < FText.size() && FText[FPos] == c;
    }

    void Expect(char c) {
        if (!Peek(c)) Fail(std::string("expected '") + c + "'");
        ++FPos;
    }

    std::string Identifier() {
        SkipBlanks();
        size_t start = FPos;
        while (FPos < FText.size() &&
               (std::isalnum(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_' ||
                FText[FPos] == '.'))
            ++FPos;
        if (start == FPos || std::isdigit(static_cast<unsigned char>(FText[start])))
            Fail("expected a name");
        return FText.substr(start, FPos - start);
    }

    std::string StringLiteral() {
        Expect('"');
        std::string utf8;
        while (FPos < FText.size() && FText[FPos] != '"') {
            char c = FText[FPos++];
            if (c == '\n') Fail("line break inside a string");
            if (c == '\\') {
                if (FPos >= FText.size()) Fail("unfinished escape");
                char e = FText[FPos++];
                switch (e) {
                case 'n': utf8 += '\n'; break;
                case 't': utf8 += '\t'; break;
                case 'r': utf8 += '\r'; break;
                case '"': utf8 += '"'; break;
                case '\\': utf8 += '\\'; break;
                default: Fail(std::string("unknown escape \\") + e);
                }
            } else {
                utf8 += c;
            }
        }
        Expect('"');
        std::string text = Utf8ToCp1251(utf8);
        if (Cp1251ToUtf8(text) != utf8) Fail("string has characters outside code page 1251");
        return text;
    }

    TFormValue Value() {
        SkipBlanks();
        if (FPos >= FText.size()) Fail("expected a value");
        TFormValue value;
        char c = FText[FPos];
        if (c == '"') {
            value.Kind = TFormValue::vkString;
            value.Text = StringLiteral();
        } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            value.Kind = TFormValue::vkInteger;
            value.Integer = Number();
        } else if (c == '[') {
            ++FPos;
            value.Kind = TFormValue::vkSet;
            while (!Peek(']')) {
                value.Items.push_back(Identifier());
                if (!Peek(',')) break;
                ++FPos;
            }
            Expect(']');
        } else if (c == '(') {
            ++FPos;
            value.Kind = TFormValue::vkList;
            while (!Peek(')')) {
                value.Items.push_back(StringLiteral());
                if (!Peek(',')) break;
                ++FPos;
            }
            Expect(')');
        } else {
            std::string name = Identifier();
            if (Peek('(')) {
                ++FPos;
                std::string argument = StringLiteral();
                Expect(')');
                RegisterBuiltInConstructors();
                auto found = Constructors().find(name);
                if (found == Constructors().end()) Fail("unknown value maker " + name + "()");
                try {
                    return found->second(Cp1251ToUtf8(argument), FBaseDir);
                } catch (const Exception& e) {
                    Fail(name + "(\"" + Cp1251ToUtf8(argument) + "\"): " + e.Message());
                }
            }
            if (name == "true" || name == "false") {
                value.Kind = TFormValue::vkBoolean;
                value.Boolean = name == "true";
            } else {
                value.Kind = TFormValue::vkIdent;
                value.Text = name;
            }
        }
        return value;
    }

    std::int64_t Number() {
        bool negative = false;
        if (FText[FPos] == '-') {
            negative = true;
            ++FPos;
        }
        int base = 10;
        if (FPos < FText.size() && FText[FPos] == '$') {
            base = 16;
            ++FPos;
        }
        size_t start = FPos;
        std::int64_t number = 0;
        while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) {
            char d = FText[FPos];
            int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : (std::tolower(d) - 'a' + 10);
            if (digit >= base) break;
            number = number * base + digit;
            if (number > 0xFFFFFFFFLL) Fail("number out of range");
            ++FPos;
        }
        if (start == FPos) Fail("expected a number");
        return negative ? -number : number;
    }

    TFormNode ParseObject() {
        TFormNode node;
        node.Line = FLine;
        node.Name = Identifier();
        Expect(':');
        node.ClassName = Identifier();
        Expect('{');
        while (!Peek('}')) {
            if (FPos >= FText.size()) Fail("missing '}' for " + node.Name);
            size_t save = FPos;
            int saveLine = FLine;
            std::string name = Identifier();
            if (Peek(':')) {
                FPos = save;
                FLine = saveLine;
                node.Children.push_back(ParseObject());
                continue;
            }
            Expect('=');
            TFormProperty property;
            property.Name = name;
            property.Line = FLine;
            property.Value = Value();
            node.Properties.push_back(std::move(property));
        }
        Expect('}');
        return node;
    }

    const std::string& FText;
    std::string FSource;
    std::string FBaseDir;
    size_t FPos = 0;
    int FLine = 1;
};

// Binary form: "VFD1", then the root node. Numbers little-endian.
constexpr char Magic[4] = {'V', 'F', 'D', '1'};
constexpr std::uint8_t BinaryKind = 10;

class TWriter {
public:
    std::vector<std::uint8_t> Bytes;

    void U8(std::uint8_t v) { Bytes.push_back(v); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) Bytes.push_back(std::uint8_t(v >> (8 * i)));
    }
    void Str(const std::string& s) {
        U32(std::uint32_t(s.size()));
        Bytes.insert(Bytes.end(), s.begin(), s.end());
    }
    void Value(const TFormValue& value) {
        switch (value.Kind) {
        case TFormValue::vkInteger: U8(1); U32(std::uint32_t(value.Integer)); break;
        case TFormValue::vkString: U8(2); Str(value.Text); break;
        case TFormValue::vkIdent: U8(3); Str(value.Text); break;
        case TFormValue::vkBoolean: U8(value.Boolean ? 5 : 4); break;
        case TFormValue::vkSet:
        case TFormValue::vkList:
            U8(value.Kind == TFormValue::vkSet ? 6 : 7);
            U32(std::uint32_t(value.Items.size()));
            for (const auto& item : value.Items) Str(item);
            break;
        case TFormValue::vkBinary:
            U8(BinaryKind);
            U32(std::uint32_t(value.Bytes.size()));
            Bytes.insert(Bytes.end(), value.Bytes.begin(), value.Bytes.end());
            break;
        }
    }
    void Node(const TFormNode& node) {
        Str(node.Name);
        Str(node.ClassName);
        U32(std::uint32_t(node.Line));
        U32(std::uint32_t(node.Properties.size()));
        for (const auto& property : node.Properties) {
            Str(property.Name);
            U32(std::uint32_t(property.Line));
            Value(property.Value);
        }
        U32(std::uint32_t(node.Children.size()));
        for (const auto& child : node.Children) Node(child);
    }
};

class TReader {
public:
    TReader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

    TFormNode Root() {
        if (FSize < 4 || std::memcmp(FData, Magic, 4) != 0) throw Exception("Not a stored form description");
        FPos = 4;
        TFormNode root = Node(0);
        if (FPos != FSize) throw Exception("Stored form description has trailing bytes");
        return root;
    }

private:
    void Need(std::size_t count) {
        if (count > FSize - FPos) throw Exception("Stored form description ends early");
    }
    std::uint8_t U8() {
        Need(1);
        return FData[FPos++];
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t(FData[FPos + size_t(i)]) << (8 * i);
        FPos += 4;
        return v;
    }
    std::string Str() {
        std::uint32_t length = U32();
        Need(length);
        std::string s(reinterpret_cast<const char*>(FData + FPos), length);
        FPos += length;
        return s;
    }
    TFormValue Value() {
        TFormValue value;
        std::uint8_t kind = U8();
        switch (kind) {
        case 1: value.Kind = TFormValue::vkInteger; value.Integer = std::int32_t(U32()); break;
        case 2: value.Kind = TFormValue::vkString; value.Text = Str(); break;
        case 3: value.Kind = TFormValue::vkIdent; value.Text = Str(); break;
        case 4:
        case 5: value.Kind = TFormValue::vkBoolean; value.Boolean = kind == 5; break;
        case 6:
        case 7: {
            value.Kind = kind == 6 ? TFormValue::vkSet : TFormValue::vkList;
            std::uint32_t count = U32();
            // Each item takes at least its 4-byte length.
            if (count > (FSize - FPos) / 4) throw Exception("Stored form description ends early");
            for (std::uint32_t i = 0; i < count; ++i) value.Items.push_back(Str());
            break;
        }
        case BinaryKind: {
            value.Kind = TFormValue::vkBinary;
            std::uint32_t length = U32();
            Need(length);
            value.Bytes.assign(FData + FPos, FData + FPos + length);
            FPos += length;
            break;
        }
        default: throw Exception("Stored form description has an unknown value kind " + std::to_string(kind));
        }
        return value;
    }
    TFormNode Node(int depth) {
        if (depth > 64) throw Exception("Stored form description nests too deep");
        TFormNode node;
        node.Name = Str();
        node.ClassName = Str();
        node.Line = int(U32());
        std::uint32_t properties = U32();
        for (std::uint32_t i = 0; i < properties; ++i) {
            TFormProperty property;
            property.Name = Str();
            property.Line = int(U32());
            property.Value = Value();
            node.Properties.push_back(std::move(property));
        }
        std::uint32_t children = U32();
        for (std::uint32_t i = 0; i < children; ++i) node.Children.push_back(Node(depth + 1));
        return node;
    }

    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

} // namespace

const char* TFormValue::KindName(TKind kind) {
    switch (kind) {
    case vkInteger: return "a number";
    case vkString: return "a string";
    case vkIdent: return "a name";
    case vkBoolean: return "true or false";
    case vkSet: return "a set";
    case vkList: return "a list of strings";
    case vkBinary: return "binary data";
    }
    return "a value";
}

void RegisterValueConstructor(const std::string& name, TValueConstructor constructor) {
    Constructors()[name] = std::move(constructor);
}

TFormNode ParseFormText(const std::string& utf8Text, const std::string& sourceName,
                        const std::string& baseDir) {
    return TParser(utf8Text, sourceName, baseDir).ParseRoot();
}

TFormNode LoadFormText(const std::string& path) {
    std::string dir = path.substr(0, path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/'));
    return ParseFormText(ReadWholeFile(path), path, dir);
}

std::vector<std::uint8_t> EncodeFormBinary(const TFormNode& root) {
    TWriter writer;
    writer.Bytes.reserve(4096);
    for (char c : Magic) writer.U8(std::uint8_t(c));
    writer.Node(root);
    return std::move(writer.Bytes);
}

TFormNode DecodeFormBinary(const std::uint8_t* data, std::size_t size) {
    return TReader(data, size).Root();
}
