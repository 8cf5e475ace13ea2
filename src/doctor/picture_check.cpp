#include "doctor/picture_check.h"

#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "toolkit/application.h"

TPictureCheck CheckPicture(const std::string& windowsPath) {
    TPictureCheck check;
    try {
        TPicture picture;
        picture.LoadFromFile(windowsPath);
        check.Loaded = true;
        check.Width = picture.Width();
        check.Height = picture.Height();
        // A JPEG decodes when it is first drawn; other types hold their pixels already.
        if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic())) jpeg->DIBNeeded();
    } catch (...) {
        check.Error = TApplication::ReportText(std::current_exception());
    }
    return check;
}
