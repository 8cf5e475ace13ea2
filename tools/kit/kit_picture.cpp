// vitrina-kit picture FILE [--decode]: loads FILE as the launcher loads a thumbnail
// (type chosen by extension, JPEG header only) and prints "TYPE WIDTHxHEIGHT". With
// --decode it also draws the picture once, which decodes a JPEG, and prints
// "decoded WIDTHxHEIGHT BITSbpp". Errors print the error report's text.

#include "kit_commands.h"

#include "pictures/bitmap.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The bitmap a drawn picture shows, if the type has one.
TBitmap* DecodedBitmap(TGraphic& graphic) {
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(&graphic)) return &jpeg->Bitmap();
    return dynamic_cast<TBitmap*>(&graphic);
}

} // namespace

int RunPictureCommand(std::span<char*> args) {
    std::string file;
    bool decode = false;
    for (std::string_view arg : args) {
        if (arg == "--decode") {
            decode = true;
        } else if (file.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            file = arg;
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: vitrina-kit picture FILE [--decode]\n");
        return 2;
    }
    // The units the program entry starts, in its order.
    InitializeGifUnit();
    InitializeJpegUnit();
    try {
        TPicture picture;
        picture.LoadFromFile(Utf8ToCp1251(file));
        TGraphic* graphic = picture.Graphic();
        std::printf("%s %dx%d\n", graphic ? graphic->ClassName() : "(none)", picture.Width(), picture.Height());
        if (decode && graphic) {
            TPixelBuffer surface;
            surface.Allocate(1, 1, pf32bit);
            graphic->Draw(surface.Canvas(), Rect(0, 0, picture.Width(), picture.Height()));
            surface.Canvas().Flush();
            if (TBitmap* bitmap = DecodedBitmap(*graphic))
                std::printf("decoded %dx%d %dbpp\n", bitmap->Width(), bitmap->Height(),
                            bitmap->PixelBuffer().BitsPerPixel());
        }
    } catch (const Exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", Cp1251ToUtf8(TApplication::ReportText(e.Message())).c_str());
        return 1;
    }
    return 0;
}
