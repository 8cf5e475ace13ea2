// JPEG files from outside: load (header only) and decode with the settings the first
// byte picks, then draw once more as a repaint would.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/jpeg_image.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // Large pictures are refused the same way, only sooner; keep each run quick.
    SetMaxPicturePixels(1 << 22);
    const std::uint8_t options = data[0];
    TMemoryStream stream(std::vector<std::uint8_t>(data + 1, data + size));
    TJPEGImage jpeg;
    jpeg.SetPixelFormat(options & 1 ? jf8Bit : jf24Bit);
    jpeg.SetGrayscale(options & 2);
    jpeg.SetPerformance(options & 4 ? jpBestSpeed : jpBestQuality);
    jpeg.SetSmoothing(!(options & 8));
    jpeg.SetScale(TJPEGScale((options >> 4) & 3));
    try {
        jpeg.LoadFromStream(stream);
        (void)jpeg.Width();
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    TPixelBuffer surface;
    surface.Allocate(4, 4, pf32bit);
    for (int i = 0; i < 2; ++i) {
        try {
            jpeg.Draw(surface.Canvas(), Rect(0, 0, 4, 4));
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
