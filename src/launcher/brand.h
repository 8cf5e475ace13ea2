#pragma once
// A disc publisher's own look, kept in the bundle on the disc as `vitrina-kit pack
// --brand` converted it: the banner, the body, the no-image and the link pictures, the
// skin, the icon and the site address. Each part is optional; a missing one keeps the built-in.

#include "platform/exceptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TPicture;
class TbsStoredSkin;

// The files of a converted brand, in the folder brand/ beside the program's fonts.
namespace brand_files {
inline constexpr char Folder[] = "brand";
inline constexpr char Head[] = "head.picture"; // stored picture encoding
inline constexpr char Body[] = "body.picture";
inline constexpr char NoImage[] = "noimage.picture";
inline constexpr char Link[] = "link.picture";
inline constexpr char SkinIni[] = "skin.ini";           // the skin's description lines
inline constexpr char SkinPictures[] = "skin.pictures"; // the stored skin's pictures value
inline constexpr char Icon[] = "icon.png";
inline constexpr char Site[] = "site.txt";
} // namespace brand_files

// The sizes the launcher's pictures have, which a brand's must match.
struct TBrandPictureSize {
    const char* File;
    int Width, Height;
};
inline constexpr TBrandPictureSize BrandHeadSize{brand_files::Head, 800, 100};
inline constexpr TBrandPictureSize BrandBodySize{brand_files::Body, 800, 500};
inline constexpr TBrandPictureSize BrandNoImageSize{brand_files::NoImage, 243, 214};
inline constexpr TBrandPictureSize BrandLinkSize{brand_files::Link, 110, 32};
inline constexpr int BrandIconMaxSize = 256;

struct TBrand {
    TBrand();
    ~TBrand();
    std::unique_ptr<TPicture> Head, Body, NoImage, Link; // null: the built-in picture
    // The skin as the stored skin takes it: description lines and pictures value.
    // No lines: the built-in skin.
    std::vector<std::string> SkinIni;
    std::vector<std::uint8_t> SkinPictures;
    std::string IconFile;                          // "": the program's icon
    std::string Site;                              // "": the built-in address
};

// A brand file that cannot be taken; the message begins with the file's name.
class EBrandDamaged : public Exception {
public:
    using Exception::Exception;
};

// Reads a converted brand whole. No folder: null. Anything damaged raises EBrandDamaged
// naming the file, so a brand is taken whole or not at all. Run before any window
// exists: trying the skin tells every window about it.
std::unique_ptr<TBrand> ReadBrand(const std::string& folder);

// Checks the skin a brand brings the way the launcher will load it: every section it
// needs, every record readable. One problem a line; none when it loads.
std::vector<std::string> CheckBrandSkin(const TbsStoredSkin& skin);

// Puts the brand's skin into a stored skin. Raises the pictures' errors.
void ApplyBrandSkin(const TBrand& brand, TbsStoredSkin& stored);

// The host a site address names ("www." left off), for showing it: "publisher.example"
// for https://www.publisher.example:8080/disc, "mail.example" for mailto:a@mail.example.
std::string SiteHostName(const std::string& site);

// Writes a host name over the text of the built-in link picture, keeping its emblem,
// for a brand that has a site but no picture of its own.
void WriteHostOnLinkPicture(TBitmap& link, const std::string& host);

// The brand the launcher window takes when it is created; set before that.
void SetLauncherBrand(std::shared_ptr<const TBrand> brand);
const TBrand* LauncherBrand();
