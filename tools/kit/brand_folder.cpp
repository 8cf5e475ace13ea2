#include "brand_folder.h"

#include "launcher/brand.h"
#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "platform/file_names.h"
#include "platform/in_out_error.h"
#include "platform/shell.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "skin/stored_skin.h"
#include "toolkit/image_file.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string ReadWholeFile(const fs::path& file) {
    try {
        TFileBytes bytes = ReadFileBytes(FsPathString(file));
        return std::string(bytes.View());
    } catch (const EInOutError& e) {
        throw Exception("cannot be read (" + e.Message() + ")");
    }
}

std::string StreamBytes(const TMemoryStream& stream) { return {stream.Bytes().begin(), stream.Bytes().end()}; }

struct TSourcePicture {
    const char* Source;
    TBrandPictureSize Size;
};

const TSourcePicture Pictures[] = {{"head.bmp", BrandHeadSize},
                                   {"body.bmp", BrandBodySize},
                                   {"noimage.bmp", BrandNoImageSize},
                                   {"link.bmp", BrandLinkSize}};

class TBrandChecker {
public:
    TBrandChecker(const fs::path& folder, TBrandCheck& check) : FFolder(folder), FCheck(check) {}

    void Run() {
        if (!fs::is_directory(FFolder)) return Problem(FsPathString(FFolder), "not a folder");
        std::set<std::string> known = {"icon.png", "site.txt", "skin"};
        for (const TSourcePicture& picture : Pictures) known.insert(picture.Source);
        for (const auto& entry : fs::directory_iterator(FFolder))
            if (!known.count(FsPathString(entry.path().filename())))
                Problem(FsPathString(entry.path().filename()),
                        "not part of a brand (head.bmp, body.bmp, noimage.bmp, link.bmp, icon.png, site.txt, skin/)");
        for (const TSourcePicture& picture : Pictures) CheckPicture(picture);
        CheckIcon();
        CheckSite();
        CheckSkin();
    }

private:
    void Problem(const std::string& file, const std::string& what) { FCheck.Problems.push_back(file + ": " + what); }

    void CheckPicture(const TSourcePicture& picture) {
        fs::path file = FFolder / picture.Source;
        if (!fs::exists(file)) return;
        try {
            TMemoryStream bytes;
            std::string content = ReadWholeFile(file);
            bytes.WriteBuffer(content.data(), std::int64_t(content.size()));
            bytes.SetPosition(0);
            auto bitmap = std::make_unique<TBitmap>();
            bitmap->LoadFromStream(bytes);
            if (bitmap->Width() != picture.Size.Width || bitmap->Height() != picture.Size.Height)
                return Problem(picture.Source, std::to_string(bitmap->Width()) + "x" + std::to_string(bitmap->Height()) +
                                                   ", must be " + std::to_string(picture.Size.Width) + "x" +
                                                   std::to_string(picture.Size.Height));
            TPicture holder;
            holder.SetGraphic(std::move(bitmap));
            TMemoryStream stored;
            holder.WriteData(stored);
            FCheck.Converted[picture.Size.File] = StreamBytes(stored);
        } catch (const Exception& e) {
            Problem(picture.Source, e.Message());
        }
    }

    void CheckIcon() {
        fs::path file = FFolder / "icon.png";
        if (!fs::exists(file)) return;
        std::optional<TImageFileSize> size = ReadImageFileSize(FsPathString(file));
        if (!size) return Problem("icon.png", "not a picture that can be read (PNG)");
        if (size->Width != size->Height || size->Width > BrandIconMaxSize)
            return Problem("icon.png", std::to_string(size->Width) + "x" + std::to_string(size->Height) +
                                           ", must be square and at most 256x256");
        FCheck.Converted[brand_files::Icon] = ReadWholeFile(file);
    }

    void CheckSite() {
        fs::path file = FFolder / "site.txt";
        if (!fs::exists(file)) return;
        std::string text;
        try {
            text = ReadWholeFile(file);
        } catch (const Exception& e) {
            return Problem("site.txt", e.Message());
        }
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (text.find_first_of("\r\n") != std::string::npos) return Problem("site.txt", "more than one line");
        std::string address = Utf8ToCp1251(text);
        if (!IsWebAddress(address))
            return Problem("site.txt", "'" + text + "' is not a well-formed http, https or mailto address");
        FCheck.Converted[brand_files::Site] = text + "\n";
    }

    void CheckSkin() {
        fs::path folder = FFolder / "skin";
        if (!fs::exists(folder)) return;
        if (!fs::is_regular_file(folder / "skin.ini")) return Problem("skin", "has no skin.ini");
        try {
            TbsStoredSkin imported(nullptr);
            imported.ImportFromFile(Utf8ToCp1251(FsPathString(folder / "skin.ini")));
            TMemoryStream pictures;
            imported.WritePictures(pictures);
            // Back through the reader the launcher uses, with its limits.
            pictures.SetPosition(0);
            TbsStoredSkin stored(nullptr);
            stored.ReadPictures(pictures);
            stored.SetIniStrings(imported.IniStrings());
            std::vector<std::string> problems = CheckBrandSkin(stored);
            for (const std::string& problem : problems) Problem("skin/skin.ini", problem);
            if (!problems.empty()) return;
            FCheck.Converted[brand_files::SkinPictures] = StreamBytes(pictures);
            std::string lines;
            for (const std::string& line : imported.IniStrings().ToVector()) lines += line + "\n";
            FCheck.Converted[brand_files::SkinIni] = lines;
        } catch (const Exception& e) {
            Problem("skin", Cp1251ToUtf8(e.Message()));
        }
    }

    fs::path FFolder;
    TBrandCheck& FCheck;
};

} // namespace

TBrandCheck CheckBrandFolder(const std::string& folder) {
    TBrandCheck check;
    TBrandChecker(folder, check).Run();
    if (!check.Problems.empty()) check.Converted.clear();
    return check;
}

void WriteConvertedBrand(const TBrandCheck& brand, const std::string& folder) {
    fs::create_directory(folder);
    for (const auto& [name, bytes] : brand.Converted) {
        std::ofstream out(fs::path(folder) / name, std::ios::binary);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) throw Exception(folder + "/" + name + ": cannot be written");
    }
}
