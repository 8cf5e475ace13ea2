#include "pictures/graphic.h"

#include "pictures/picture_limits.h"
#include "platform/stream.h"

namespace {
std::int64_t GMaxPicturePixels = 100'000'000;
int GMaxJpegScans = 300;
} // namespace

std::int64_t MaxPicturePixels() { return GMaxPicturePixels; }
void SetMaxPicturePixels(std::int64_t pixels) { GMaxPicturePixels = pixels; }
int MaxJpegScans() { return GMaxJpegScans; }
void SetMaxJpegScans(int scans) { GMaxJpegScans = scans; }

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                        const TRect& rect, const std::string& message) {
    if (OnProgress) OnProgress(this, stage, percentDone, redrawNow, rect, message);
}
