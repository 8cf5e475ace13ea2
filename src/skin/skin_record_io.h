#pragma once
// How a skin record's fields meet the outside: one list of (key, field) per class,
// walked by a reader, a writer or a visitor. Each record class lists its keys once,
// in reading order, so reading, writing and dumping cannot drift apart.

#include <string>
#include <string_view>

#include "platform/basic_types.h"
#include "skin/ini_table.h"
#include "skin/ini_values.h"

// Sees every field of a record with its key, base class fields first.
class TbsFieldVisitor {
public:
    virtual ~TbsFieldVisitor() = default;
    virtual void Integer(std::string_view key, int value) = 0;
    virtual void Color(std::string_view key, TColor value) = 0;
    virtual void Boolean(std::string_view key, bool value) = 0;
    virtual void Rect(std::string_view key, const TRect& value) = 0;
    virtual void Point(std::string_view key, const TPoint& value) = 0;
    virtual void String(std::string_view key, const std::string& value) = 0;
    virtual void FontStyles(std::string_view key, TFontStyles value) = 0;
    virtual void Alignment(std::string_view key, TAlignment value) = 0;
    virtual void Command(std::string_view key, TbsStdCommand value) = 0;
};

// Fills fields from one section of a table.
class TbsFieldReader {
public:
    TbsFieldReader(const TIniTable& ini, std::string_view section) : FIni(ini), FSection(section) {}
    void Int(const char* key, int& v, int def) { v = ReadSkinInteger(FIni, FSection, key, def); }
    void Col(const char* key, TColor& v) { v = ReadSkinColor(FIni, FSection, key); }
    void Bool(const char* key, bool& v) { v = ReadSkinBool(FIni, FSection, key); }
    void Rect(const char* key, TRect& v) { v = ReadSkinRect(FIni, FSection, key); }
    void Point(const char* key, TPoint& v) { v = ReadSkinPoint(FIni, FSection, key); }
    void Str(const char* key, std::string& v, const char* def) {
        v = ReadSkinString(FIni, FSection, key, def);
    }
    void Styles(const char* key, TFontStyles& v) { v = ReadSkinFontStyles(FIni, FSection, key); }
    void Align(const char* key, TAlignment& v) { v = ReadSkinAlignment(FIni, FSection, key); }
    void Cmd(const char* key, TbsStdCommand& v) { v = ReadSkinStdCommand(FIni, FSection, key); }

private:
    const TIniTable& FIni;
    std::string_view FSection;
};

// Writes fields into one section of a table.
class TbsFieldWriter {
public:
    TbsFieldWriter(TIniTable& ini, std::string_view section) : FIni(ini), FSection(section) {}
    void Int(const char* key, int v, int) { WriteSkinInteger(FIni, FSection, key, v); }
    void Col(const char* key, TColor v) { WriteSkinInteger(FIni, FSection, key, v); }
    void Bool(const char* key, bool v) { WriteSkinBool(FIni, FSection, key, v); }
    void Rect(const char* key, const TRect& v) { WriteSkinRect(FIni, FSection, key, v); }
    void Point(const char* key, const TPoint& v) { WriteSkinPoint(FIni, FSection, key, v); }
    void Str(const char* key, const std::string& v, const char*) {
        FIni.WriteString(FSection, key, v);
    }
    void Styles(const char* key, TFontStyles v) { WriteSkinFontStyles(FIni, FSection, key, v); }
    void Align(const char* key, TAlignment v) { WriteSkinAlignment(FIni, FSection, key, v); }
    void Cmd(const char* key, TbsStdCommand v) { WriteSkinStdCommand(FIni, FSection, key, v); }

private:
    TIniTable& FIni;
    std::string_view FSection;
};

// Hands fields to a visitor.
class TbsFieldEnumerator {
public:
    explicit TbsFieldEnumerator(TbsFieldVisitor& visitor) : FVisitor(visitor) {}
    void Int(const char* key, int v, int) { FVisitor.Integer(key, v); }
    void Col(const char* key, TColor v) { FVisitor.Color(key, v); }
    void Bool(const char* key, bool v) { FVisitor.Boolean(key, v); }
    void Rect(const char* key, const TRect& v) { FVisitor.Rect(key, v); }
    void Point(const char* key, const TPoint& v) { FVisitor.Point(key, v); }
    void Str(const char* key, const std::string& v, const char*) { FVisitor.String(key, v); }
    void Styles(const char* key, TFontStyles v) { FVisitor.FontStyles(key, v); }
    void Align(const char* key, TAlignment v) { FVisitor.Alignment(key, v); }
    void Cmd(const char* key, TbsStdCommand v) { FVisitor.Command(key, v); }

private:
    TbsFieldVisitor& FVisitor;
};

// Declares the overrides of a record class whose own keys are listed by Fields().
#define VITRINA_SKIN_RECORD(Class, Base)                                                       \
public:                                                                                        \
    using Base::Base;                                                                          \
    void ReadFromIni(const TIniTable& ini) override;                                           \
    void WriteToIni(TIniTable& ini) const override;                                            \
    const char* ClassName() const override { return #Class; }                                  \
    void EnumFields(TbsFieldVisitor& visitor) const override;                                  \
                                                                                               \
private:                                                                                       \
    template <class Self, class IO> static void Fields(Self& self, IO& io);                    \
                                                                                               \
public:

// The usual implementation: the base class's keys, then the class's own.
#define VITRINA_SKIN_RECORD_IO(Class, Base)                                                    \
    void Class::ReadFromIni(const TIniTable& ini) {                                            \
        Base::ReadFromIni(ini);                                                                \
        TbsFieldReader io(ini, SectionName);                                                   \
        Fields(*this, io);                                                                     \
    }                                                                                          \
    void Class::WriteToIni(TIniTable& ini) const {                                             \
        Base::WriteToIni(ini);                                                                 \
        TbsFieldWriter io(ini, SectionName);                                                   \
        Fields(*this, io);                                                                     \
    }                                                                                          \
    void Class::EnumFields(TbsFieldVisitor& visitor) const {                                   \
        Base::EnumFields(visitor);                                                             \
        TbsFieldEnumerator io(visitor);                                                        \
        Fields(*this, io);                                                                     \
    }
