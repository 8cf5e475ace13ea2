// Stored skin picture values from outside: read them, and for every value that reads,
// check that writing it gives a value that reads back to the same pictures and writes
// the same bytes, then load a skin data from it and scan its mask.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "pictures/bitmap.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "skin/bs_utils.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Same(const TBitmap& a, const TBitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.PixelFormat() == b.PixelFormat();
}

const std::vector<std::string> kSkinLines = {"[VERSION]",           "[PICTURES]",
                                             "[FORMINFO]",          "[SKINOBJECTS]",
                                             "[SKINCONTROLS]",      "count=1",
                                             "0=box:scrollbox",     "[box]",
                                             "pictureindex=0",      "skinrect=0,0,8,8",
                                             "lefttoppoint=2,2",    "righttoppoint=6,2",
                                             "leftbottompoint=2,6", "rightbottompoint=6,6",
                                             "clientrect=1,1,7,7"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMaxPicturePixels(1 << 20);
    TbsStoredSkin skin(nullptr);
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    try {
        skin.ReadPictures(stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    Check(stream.Position() <= std::int64_t(size));
    Check(MaxPicturePixels() == 1 << 20);

    TMemoryStream written;
    try {
        skin.WritePictures(written);
    } catch (const EInvalidGraphicOperation&) {
        return 0; // an active picture of no pixels has no BMP form
    }
    written.SetPosition(0);
    TbsStoredSkin again(nullptr);
    again.ReadPictures(written);
    Check(written.Remaining() == 0);
    Check(Same(skin.Picture(), again.Picture()) && Same(skin.Mask(), again.Mask()) &&
          Same(skin.InactivePicture(), again.InactivePicture()));
    Check(skin.ActivePictures.size() == again.ActivePictures.size());
    for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i)
        Check(Same(*skin.ActivePictures[i], *again.ActivePictures[i]));
    TMemoryStream rewritten;
    again.WritePictures(rewritten);
    Check(rewritten.Bytes() == written.Bytes());

    skin.SetIniStrings(TStringList(kSkinLines));
    TbsSkinData skinData(nullptr);
    skinData.SetStoredSkin(&skin);
    Check(!skinData.Empty() && skinData.ActivePictures.size() == skin.ActivePictures.size());
    if (skinData.Mask().Width() <= 512 && skinData.Mask().Height() <= 512) {
        std::vector<std::uint8_t> rects = MaskToRects(skinData.Mask(), 3, 4);
        Check(rects.empty() == skinData.Mask().Empty());
        Check(rects.empty() || rects.size() <= 32 + 16 * std::size_t(MaxMaskRects));
        (void)RegionFromMask(skinData.Mask());
    }
    if (!skinData.ActivePictures.empty()) {
        const TBitmap& picture = *skinData.ActivePictures[0];
        if (picture.Width() <= 512 && picture.Height() <= 512) {
            TbsStretchGeometry g = StretchGeometry({2, 2}, {6, 2}, {2, 6}, {6, 6}, Rect(1, 1, 7, 7),
                                                   picture.Width(), picture.Height(), 37, 23);
            TBitmap image;
            BuildNinePatch(g, Rect(0, 0, picture.Width(), picture.Height()), picture, image, true);
            Check(image.Width() == 37 && image.Height() == 23);
            (void)BuildSkinRegion(g, picture);
        }
    }
    return 0;
}
