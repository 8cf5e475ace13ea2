#include "skin/skin_classes.h"

#include "platform/stream.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "toolkit/toolkit_classes.h"

void RegisterSkinClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterToolkitClasses();

    // The reference is resolved once the whole form is read, so the stored skin is
    // complete (lines and pictures) when the load runs.
    TClassRegistration<TbsSkinData>("TbsSkinData", "TComponent")
        .Reference<TbsStoredSkin>("StoredSkin",
                                  [](TbsSkinData& s, TbsStoredSkin* v) { s.SetStoredSkin(v); });

    TClassRegistration<TbsStoredSkin>("TbsStoredSkin", "TComponent")
        .String("FileName", [](TbsStoredSkin& s, const std::string& v) { s.SetFileName(v); })
        .Lines("IniStrings",
               [](TbsStoredSkin& s, const std::vector<std::string>& v) {
                   s.SetIniStrings(TStringList(v));
               })
        .Binary("Pictures", [](TbsStoredSkin& s, const std::vector<std::uint8_t>& bytes) {
            TMemoryStream stream(bytes);
            s.ReadPictures(stream);
        });
}
