#include "form_value_makers.h"

#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "skin/ini_table.h"
#include "skin/stored_skin.h"
#include "toolkit/form_description.h"

#include <fstream>
#include <sstream>

namespace {

std::string JoinPath(const std::string& baseDir, const std::string& relative) {
    if (relative.empty() || relative[0] == '/' || baseDir.empty()) return relative;
    return baseDir + "/" + relative;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Exception("cannot open " + path);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace

void RegisterFormValueMakers(std::function<void(const std::string& path)> fileRead) {
    RegisterValueConstructor("file", [fileRead](const std::string& argument, const std::string& baseDir) {
        std::string path = JoinPath(baseDir, argument);
        fileRead(path);
        TFormValue value;
        value.Kind = TFormValue::vkBinary;
        std::string content = ReadFile(path);
        value.Bytes.assign(content.begin(), content.end());
        return value;
    });
    // skinpictures("dir/skin.ini"): a stored skin's "Pictures" value, made the way the
    // program reads it back: the skin imported from its folder, then written.
    RegisterValueConstructor("skinpictures", [fileRead](const std::string& argument,
                                                        const std::string& baseDir) {
        std::string path = JoinPath(baseDir, argument);
        TbsStoredSkin skin(nullptr);
        skin.ImportFromFile(Utf8ToCp1251(path));
        // The description names its pictures in code page 1251.
        fileRead(path);
        const std::string folder = SkinFolderOf(path);
        TbsSkinPictureNames names = ReadSkinPictureNames(TIniTable(skin.IniStrings().ToVector()));
        for (const std::string* name : {&names.Picture, &names.InactivePicture, &names.Mask})
            if (!name->empty()) fileRead(folder + Cp1251ToUtf8(*name));
        for (const std::string& name : names.ActivePictures) fileRead(folder + Cp1251ToUtf8(name));
        TMemoryStream stream;
        skin.WritePictures(stream);
        TFormValue value;
        value.Kind = TFormValue::vkBinary;
        value.Bytes = stream.Bytes();
        return value;
    });
    // A stored picture: the type name, then the bitmap as the program writes it.
    RegisterValueConstructor("bitmap", [fileRead](const std::string& argument, const std::string& baseDir) {
        std::string path = JoinPath(baseDir, argument);
        fileRead(path);
        std::string content = ReadFile(path);
        TMemoryStream file(std::vector<std::uint8_t>(content.begin(), content.end()));
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromStream(file);
        TPicture picture;
        picture.SetGraphic(std::move(bitmap));
        TMemoryStream stored;
        picture.WriteData(stored);
        TFormValue value;
        value.Kind = TFormValue::vkBinary;
        value.Bytes = stored.Bytes();
        return value;
    });
}
