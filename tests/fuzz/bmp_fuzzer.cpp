// BMP files from outside: read them back to back as a stored skin does, write each
// picture that loads and check that it reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "pictures/bitmap.h"
#include "pictures/picture_limits.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Large pictures are refused the same way, only sooner; keep each run quick.
    SetMaxPicturePixels(1 << 22);
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    for (int i = 0; i < 4 && stream.Remaining() > 0; ++i) {
        TBitmap bitmap;
        std::int64_t start = stream.Position();
        try {
            bitmap.LoadFromStream(stream);
        } catch (const EInvalidGraphic&) {
            return 0;
        }
        if (stream.Position() <= start) std::abort();
        TMemoryStream written;
        bitmap.SaveToStream(written);
        written.SetPosition(0);
        TBitmap again;
        again.LoadFromStream(written);
        if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height() ||
            again.PixelFormat() != bitmap.PixelFormat() || written.Remaining() != 0)
            std::abort();
    }
    return 0;
}
