// vitrina-kit skin [--ini FILE]: loads a skin into a skin data component as the
// launcher does and prints it as one JSON object: version strings, pictures, the form
// frame data, the two window records and every record of both lists with every field.
// With --ini the skin is imported from a skin folder's description and passed through
// the stored form value first, so the pictures are what the program would get.

#include "json_writer.h"
#include "kit_commands.h"

#include "pictures/bitmap.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "skin/ini_values.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "toolkit/application.h"
#include "toolkit/form_reader.h"

#include <cstdio>
#include <string>
#include <string_view>

extern const TFormResource MainFrForm;

namespace {

// The launcher's form, with the skin the program carries.
const TFormResource* LauncherFormResource() { return &MainFrForm; }

// Fills the stored skin from the first TbsStoredSkin of a compiled form.
bool FindStoredSkin(const TFormNode& node, TbsStoredSkin& stored) {
    if (node.ClassName == "TbsStoredSkin") {
        for (const TFormProperty& property : node.Properties) {
            if (property.Name == "FileName" && property.Value.Kind == TFormValue::vkString) {
                stored.SetFileName(property.Value.Text);
            } else if (property.Name == "IniStrings" && property.Value.Kind == TFormValue::vkList) {
                stored.SetIniStrings(TStringList(property.Value.Items));
            } else if (property.Name == "Pictures" && property.Value.Kind == TFormValue::vkBinary) {
                TMemoryStream stream(property.Value.Bytes);
                stored.ReadPictures(stream);
            }
        }
        return true;
    }
    for (const TFormNode& child : node.Children)
        if (FindStoredSkin(child, stored)) return true;
    return false;
}

class TJsonFields : public TbsFieldVisitor {
public:
    explicit TJsonFields(TJsonWriter& json) : FJson(json) {}
    void Integer(std::string_view key, int value) override { Key(key).Raw(std::to_string(value)); }
    void Color(std::string_view key, TColor value) override { Key(key).Raw(std::to_string(value)); }
    void Boolean(std::string_view key, bool value) override {
        Key(key).Raw(value ? "true" : "false");
    }
    void Rect(std::string_view key, const TRect& r) override {
        Key(key).Raw("[" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " +
                     std::to_string(r.Right) + ", " + std::to_string(r.Bottom) + "]");
    }
    void Point(std::string_view key, const TPoint& p) override {
        Key(key).Raw("[" + std::to_string(p.X) + ", " + std::to_string(p.Y) + "]");
    }
    void String(std::string_view key, const std::string& value) override { Key(key).String(value); }
    void FontStyles(std::string_view key, TFontStyles value) override {
        std::string words = FormatFontStyles(value), list = "[";
        for (std::size_t start = 0; start < words.size();) {
            std::size_t end = words.find(',', start);
            if (end == std::string::npos) end = words.size();
            list += (list.size() > 1 ? ", \"" : "\"") + words.substr(start, end - start) + "\"";
            start = end + 1;
        }
        Key(key).Raw(list + "]");
    }
    void Alignment(std::string_view key, TAlignment value) override {
        Key(key).String(FormatAlignment(value));
    }
    void Command(std::string_view key, TbsStdCommand value) override {
        Key(key).String(FormatStdCommand(value));
    }

    void Begin() {
        FJson.Raw("{");
        FFirst = true;
    }
    void End() { FJson.Raw("}"); }

private:
    TJsonWriter& Key(std::string_view key) {
        FJson.Raw(FFirst ? "" : ", ").String(key).Raw(": ");
        FFirst = false;
        return FJson;
    }

    TJsonWriter& FJson;
    bool FFirst = true;
};

void WritePicture(TJsonWriter& json, const TBitmap& picture) {
    if (picture.Empty()) {
        json.Raw("null");
        return;
    }
    json.Raw("{\"width\": ").Raw(std::to_string(picture.Width()));
    json.Raw(", \"height\": ").Raw(std::to_string(picture.Height()));
    json.Raw(", \"bitsPerPixel\": ")
        .Raw(std::to_string(picture.PixelBuffer().BitsPerPixel()))
        .Raw("}");
}

template <class TList> void WriteRecords(TJsonWriter& json, const TList& records) {
    json.Raw("[");
    for (std::size_t i = 0; i < records.size(); ++i) {
        json.Raw(i ? ",\n  {\"name\": " : "\n  {\"name\": ").String(records[i]->SectionName);
        json.Raw(", \"class\": ").String(records[i]->ClassName()).Raw(", \"fields\": ");
        TJsonFields fields(json);
        fields.Begin();
        records[i]->EnumFields(fields);
        fields.End();
        json.Raw("}");
    }
    json.Raw(records.empty() ? "]" : "\n ]");
}

void WriteSkin(TJsonWriter& json, const TbsSkinData& skin, const std::string& fileName,
               std::size_t payloadBytes) {
    json.Raw("{\"fileName\": ").String(fileName);
    json.Raw(",\n \"payloadBytes\": ").Number(payloadBytes);
    json.Raw(",\n \"empty\": ").Raw(skin.Empty() ? "true" : "false");
    json.Raw(",\n \"version\": {\"SkinName\": ").String(skin.SkinName);
    json.Raw(", \"SkinAuthor\": ").String(skin.SkinAuthor);
    json.Raw(", \"AuthorEmail\": ").String(skin.AuthorEmail);
    json.Raw(", \"AuthorURL\": ").String(skin.AuthorURL);
    json.Raw(", \"SkinComments\": ").String(skin.SkinComments).Raw("}");
    json.Raw(",\n \"pictures\": {\"Picture\": ");
    WritePicture(json, skin.Picture());
    json.Raw(", \"InactivePicture\": ");
    WritePicture(json, skin.InactivePicture());
    json.Raw(", \"Mask\": ");
    WritePicture(json, skin.Mask());
    json.Raw(",\n  \"ActivePictures\": [");
    for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i) {
        json.Raw(i ? ", " : "");
        WritePicture(json, *skin.ActivePictures[i]);
    }
    json.Raw("]}");

    TJsonFields fields(json);
    json.Raw(",\n \"formInfo\": ");
    fields.Begin();
    fields.Point("lefttoppoint", skin.LeftTopPoint);
    fields.Point("righttoppoint", skin.RightTopPoint);
    fields.Point("leftbottompoint", skin.LeftBottomPoint);
    fields.Point("rightbottompoint", skin.RightBottomPoint);
    fields.Rect("clientrect", skin.ClientRect);
    fields.Integer("bgpictureindex", skin.BGPictureIndex);
    fields.Rect("maskrectarea", skin.MaskRectArea);
    fields.Point("hittestlefttoppoint", skin.HitTestLeftTopPoint);
    fields.Point("hittestrighttoppoint", skin.HitTestRightTopPoint);
    fields.Point("hittestleftbottompoint", skin.HitTestLeftBottomPoint);
    fields.Point("hittestrightbottompoint", skin.HitTestRightBottomPoint);
    fields.Rect("mainmenurect", skin.MainMenuRect);
    fields.Rect("iconrect", skin.IconRect);
    fields.Boolean("mainmenupopupup", skin.MainMenuPopupUp);
    fields.Integer("borderwidth", skin.BorderWidth);
    fields.End();
    json.Raw(",\n \"popupWindow\": ");
    fields.Begin();
    skin.PopupWindow.EnumFields(fields);
    fields.End();
    json.Raw(",\n \"hintWindow\": ");
    fields.Begin();
    skin.HintWindow.EnumFields(fields);
    fields.End();
    json.Raw(",\n \"skinObjects\": ");
    WriteRecords(json, skin.SkinObjects);
    json.Raw(",\n \"skinControls\": ");
    WriteRecords(json, skin.SkinControls);
    json.Raw("}\n");
}

int Usage() {
    std::fprintf(stderr, "usage: vitrina-kit skin [--ini FILE]\n");
    return 2;
}

} // namespace

int RunSkinCommand(std::span<char*> args) {
    std::string ini;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::string_view(args[i]) == "--ini" && i + 1 < args.size() && ini.empty())
            ini = args[++i];
        else
            return Usage();
    }
    try {
        TbsStoredSkin stored(nullptr);
        if (!ini.empty()) {
            const std::string fileName = Utf8ToCp1251(ini);
            stored.ImportFromFile(fileName);
            stored.SetFileName(fileName.substr(SkinFolderOf(fileName).size()));
            // Through the stored value and back, as the build and the program do.
            TMemoryStream payload;
            stored.WritePictures(payload);
            payload.SetPosition(0);
            stored.ReadPictures(payload);
        } else {
            const TFormResource* form = LauncherFormResource();
            if (!form) {
                std::fprintf(
                    stderr,
                    "vitrina-kit skin: this build carries no launcher form; use --ini FILE\n");
                return 1;
            }
            if (!FindStoredSkin(DecodeFormResource(*form), stored)) {
                std::fprintf(stderr, "vitrina-kit skin: the launcher form has no stored skin\n");
                return 1;
            }
        }
        TMemoryStream payload;
        stored.WritePictures(payload);
        TbsSkinData skin(nullptr);
        skin.SetStoredSkin(&stored);
        TJsonWriter json(stdout);
        WriteSkin(json, skin, stored.FileName(), std::size_t(payload.Size()));
    } catch (const Exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", Cp1251ToUtf8(TApplication::ReportText(e.Message())).c_str());
        return 1;
    }
    return 0;
}
