#include "launcher/brand.h"

#include "pictures/picture.h"
#include "platform/exceptions.h"
#include "platform/file_names.h"
#include "platform/in_out_error.h"
#include "platform/shell.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "skin/ini_table.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "toolkit/image_file.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::shared_ptr<const TBrand>& CurrentBrand() {
    static std::shared_ptr<const TBrand> brand;
    return brand;
}

[[noreturn]] void Damaged(const fs::path& file, const std::string& what) {
    throw EBrandDamaged(FsPathString(file) + ": " + what);
}

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
    try {
        TFileBytes bytes = ReadFileBytes(FsPathString(file));
        return {bytes.Data.get(), bytes.Data.get() + bytes.Size};
    } catch (const EInOutError& e) {
        Damaged(file, "cannot be read (" + e.Message() + ")");
    }
}

std::unique_ptr<TPicture> ReadPicture(const fs::path& folder, const TBrandPictureSize& size) {
    fs::path file = folder / size.File;
    if (!fs::exists(file)) return nullptr;
    TMemoryStream stream(ReadBytes(file));
    auto picture = std::make_unique<TPicture>();
    try {
        picture->ReadData(stream);
    } catch (const Exception& e) {
        Damaged(file, e.Message());
    }
    if (picture->Width() != size.Width || picture->Height() != size.Height)
        Damaged(file, "not a " + std::to_string(size.Width) + "x" + std::to_string(size.Height) + " picture");
    return picture;
}

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::uint8_t> bytes = ReadBytes(file);
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string_view> views;
    SplitTextLines(text, views);
    return {views.begin(), views.end()};
}

void ReadSkin(const fs::path& folder, TBrand& brand) {
    fs::path ini = folder / brand_files::SkinIni, pictures = folder / brand_files::SkinPictures;
    if (!fs::exists(ini) && !fs::exists(pictures)) return;
    brand.SkinIni = ReadLines(ini);
    brand.SkinPictures = ReadBytes(pictures);
    TbsStoredSkin skin(nullptr);
    ApplyBrandSkin(brand, skin);
    std::vector<std::string> problems = CheckBrandSkin(skin);
    if (!problems.empty()) Damaged(ini, problems.front());
}

} // namespace

TBrand::TBrand() = default;
TBrand::~TBrand() = default;

std::unique_ptr<TBrand> ReadBrand(const std::string& folderName) {
    fs::path folder = NativePath(folderName);
    if (folderName.empty() || !fs::is_directory(folder)) return nullptr;
    auto brand = std::make_unique<TBrand>();
    brand->Head = ReadPicture(folder, BrandHeadSize);
    brand->Body = ReadPicture(folder, BrandBodySize);
    brand->NoImage = ReadPicture(folder, BrandNoImageSize);
    brand->Link = ReadPicture(folder, BrandLinkSize);
    try {
        ReadSkin(folder, *brand);
    } catch (const EBrandDamaged&) {
        throw;
    } catch (const Exception& e) {
        // The stored skin's own errors do not say which file they came from.
        Damaged(folder / brand_files::SkinPictures, e.Message());
    }
    if (fs::path icon = folder / brand_files::Icon; fs::exists(icon)) {
        std::optional<TImageFileSize> size = ReadImageFileSize(FsPathString(icon));
        if (!size || size->Width != size->Height || size->Width > BrandIconMaxSize)
            Damaged(icon, "not a square picture of at most 256 pixels");
        brand->IconFile = FsPathString(icon);
    }
    if (fs::path site = folder / brand_files::Site; fs::exists(site)) {
        std::vector<std::string> lines = ReadLines(site);
        if (lines.size() != 1 || !IsWebAddress(lines[0])) Damaged(site, "not one http, https or mailto address");
        brand->Site = lines[0];
    }
    return brand;
}

std::vector<std::string> CheckBrandSkin(const TbsStoredSkin& skin) {
    if (!TbsSkinContent::HasRequiredSections(TIniTable(skin.IniStrings().ToVector())))
        return {"the skin lacks one of the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS, SKINCONTROLS"};
    TbsSkinData trial(nullptr);
    try {
        trial.LoadFromStoredSkin(skin);
    } catch (const Exception& e) {
        return {"the skin does not load: " + e.Message()};
    }
    if (trial.Empty()) return {"the skin does not load"};
    return {};
}

void ApplyBrandSkin(const TBrand& brand, TbsStoredSkin& stored) {
    TStringList lines;
    for (const std::string& line : brand.SkinIni) lines.Add(line);
    stored.SetFileName("skin.ini");
    stored.SetIniStrings(lines);
    TMemoryStream pictures(brand.SkinPictures);
    stored.ReadPictures(pictures);
}

void SetLauncherBrand(std::shared_ptr<const TBrand> brand) { CurrentBrand() = std::move(brand); }

const TBrand* LauncherBrand() { return CurrentBrand().get(); }
