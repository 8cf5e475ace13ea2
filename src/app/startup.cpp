#include "app/startup.h"

#include "launcher/brand.h"
#include "launcher/main_unit.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/pictures_classes.h"
#include "platform/exceptions.h"
#include "skin/controls/skin_controls_classes.h"
#include "skin/skin_classes.h"
#include "toolkit/application.h"
#include "toolkit/carried_files.h"
#include "toolkit/toolkit_classes.h"
#include "viewer/orig_pic.h"

#include <QImage>

#include <future>

void StartUnits() {
    RegisterToolkitClasses();
    RegisterPicturesClasses();
    RegisterSkinClasses();
    RegisterSkinControlsClasses();
    InitializeGifUnit();
    InitializeJpegUnit();
    RegisterViewerClasses();
    RegisterLauncherClasses();
}

void FinishUnits() {
    FinalizeJpegUnit();
    FinalizeGifUnit();
}

std::vector<std::string> ProgramIconFiles() {
    std::vector<std::string> files;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        files.push_back(":/vitrina/icons/vitrina-" + std::to_string(size) + ".png");
    return files;
}

void CreateWindows(TApplication& application, const std::function<void(const std::string&)>& brandDamaged) {
    // A publisher's brand in the bundle, read whole before any window exists; a damaged
    // one leaves the built-in look.
    std::shared_ptr<const TBrand> brand;
    if (std::string carried = CarriedFolder(); !carried.empty()) {
        try {
            brand = ReadBrand(carried + "/" + brand_files::Folder);
        } catch (const Exception& e) {
            if (brandDamaged) brandDamaged(e.Message());
        }
    }
    SetLauncherBrand(brand);
    // The icon's pictures are read on another core while the windows are built.
    std::string brandIcon = brand ? brand->IconFile : std::string();
    std::future<TIconPictures> icon = std::async(std::launch::async, [brandIcon] {
        TIconPictures pictures;
        if (!brandIcon.empty()) pictures = TApplication::ReadIcon({brandIcon});
        return pictures.empty() ? TApplication::ReadIcon(ProgramIconFiles()) : pictures;
    });
    application.CreateForm(MainFr);
    application.CreateForm(BigPic);
    application.SetIcon(icon.get());
}

void DecodeWindowsAhead() {
    DecodeFormResourceAhead(MainFrForm);
    DecodeFormResourceAhead(BigPicForm);
}
