#include "pictures/pictures_classes.h"

#include "pictures/image.h"
#include "platform/stream.h"
#include "toolkit/toolkit_classes.h"

void RegisterPicturesClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterToolkitClasses();

    TClassRegistration<TImage>("TImage", "TGraphicControl")
        .Binary("Picture.Data",
                [](TImage& image, const std::vector<std::uint8_t>& bytes) {
                    TMemoryStream stream(bytes);
                    image.Picture().ReadData(stream);
                })
        .Boolean("Center", [](TImage& image, bool v) { image.SetCenter(v); })
        .Boolean("Stretch", [](TImage& image, bool v) { image.SetStretch(v); })
        .Boolean("Proportional", [](TImage& image, bool v) { image.SetProportional(v); })
        .Boolean("Transparent", [](TImage& image, bool v) { image.SetTransparent(v); })
        .Boolean("IncrementalDisplay", [](TImage& image, bool v) { image.SetIncrementalDisplay(v); });
}
