// The build's and the disc author's view of a skin: the form compiler's skinpictures()
// value and vitrina-kit skin, on our skin's folder.

#include "stand_in_skin.h"

#include "form_value_makers.h"
#include "skin/skin_classes.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "support/kit_runner.h"
#include "support/test_application.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using ::testing::HasSubstr;

namespace {

TKitRun KitSkin(const std::string& args) { return RunKit("skin " + args); }

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(KitSkin, DumpsEveryRecordAndPictureOfASkinFolder) {
    TScratchFolder scratch;
    TKitRun run = KitSkin("--ini '" + OurSkinFolder(scratch) + "'");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::string& json = run.Out;
    EXPECT_THAT(json, HasSubstr("\"fileName\": \"skin.ini\""));
    EXPECT_THAT(json, HasSubstr("\"payloadBytes\": 545365"));
    EXPECT_THAT(json, HasSubstr("\"empty\": false"));
    EXPECT_THAT(json, HasSubstr("\"InactivePicture\": null"));
    EXPECT_THAT(json, HasSubstr("{\"width\": 384, \"height\": 421, \"bitsPerPixel\": 24}"));
    EXPECT_EQ(Count(json, "\"class\": "), 57u + 12u);
    EXPECT_THAT(json, HasSubstr("{\"name\": \"listbox\", \"class\": \"TbsDataSkinListBox\", "
                                "\"fields\": {\"pictureindex\": 3, \"maskpictureindex\": -1, "
                                "\"skinrect\": [115, 154, 182, 218], \"lefttoppoint\": [2, 2]"));
    EXPECT_THAT(json, HasSubstr("\"captionfontstyle\": [\"fsbold\"]"));
    EXPECT_THAT(json, HasSubstr("\"thumboffset1\": 5"));
}

TEST(KitSkin, ReportsWhatItCannotRead) {
    TScratchFolder scratch;
    TKitRun run = KitSkin("--ini '" + (scratch / "none.ini") + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_THAT(run.Err, HasSubstr("Cannot open file"));
    EXPECT_EQ(KitSkin("--ini").Status, 2);
    EXPECT_EQ(KitSkin("extra").Status, 2);
}

TEST(FormCompilerSkin, TheLauncherFormCarriesTheWrittenValueAndLoadsIt) {
    TestApplication();
    RegisterSkinClasses();
    TScratchFolder scratch;
    const std::string ini = OurSkinFolder(scratch);
    std::set<std::string> heard;
    RegisterFormValueMakers([&](const std::string& path) { heard.insert(path); });

    const std::string folder = SkinFolderOf(ini);
    TFormNode node = ParseFormText(R"(MainFr: TForm {
  bsSkinData1: TbsSkinData { StoredSkin = bsStoredSkin1 }
  bsStoredSkin1: TbsStoredSkin {
    FileName = "skin.ini"
    IniStrings = lines("skin.ini")
    Pictures = skinpictures("skin.ini")
  }
})",
                                   "main_fr.form", folder.substr(0, folder.size() - 1));
    EXPECT_EQ(heard.size(), 8u); // the description and its seven pictures
    EXPECT_EQ(heard.count(folder + "controls.bmp"), 1u);

    const TFormValue& pictures = node.Children.at(1).Properties.at(2).Value;
    ASSERT_EQ(pictures.Kind, TFormValue::vkBinary);
    TbsStoredSkin imported(nullptr);
    imported.ImportFromFile(ini);
    TMemoryStream written;
    imported.WritePictures(written);
    EXPECT_EQ(pictures.Bytes, written.Bytes());

    std::vector<std::uint8_t> binary = EncodeFormBinary(node);
    TForm form(nullptr);
    ReadFormBinary(form, binary.data(), binary.size(), THandlerTable());
    auto* data = dynamic_cast<TbsSkinData*>(form.FindComponent("bsSkinData1"));
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->Empty());
    EXPECT_EQ(data->SkinControls.size(), 57u);
    EXPECT_EQ(data->SkinObjects.size(), 12u);
    EXPECT_EQ(data->ActivePictures.size(), 5u);
    EXPECT_TRUE(data->InactivePicture().Empty());
    EXPECT_EQ(data->Mask().PixelFormat(), pf1bit);
}

} // namespace
