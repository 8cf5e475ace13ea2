// Opens the gallery of skinned controls from its stored description and writes a
// picture of it under the build folder (gallery/controls.png): the place to look at
// the controls without running the program.

#include "test_application.h"

#include "skin/controls/skin_controls_classes.h"
#include "skin/controls/skin_list_box.h"
#include "skin/controls/skin_scroll_box.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"
#include "toolkit/grab.h"
#include "toolkit/label.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/system_colors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

template <class T>
T& Find(TForm& form, const std::string& name) {
    T* found = As<T>(form.FindComponent(name));
    if (!found) throw std::runtime_error(name + " is missing");
    return *found;
}

TEST(Gallery, ShowsTheControlsInTheLaunchersSizes) {
    RegisterSkinControlsClasses();
    auto form = std::make_unique<TForm>(nullptr);
    ReadForm(*form, LoadFormText(std::string(VITRINA_SOURCE_DIR) + "/examples/forms/controls_gallery.form"),
             THandlerTable());
    form->AfterConstruction();
    TbsSkinListBox* game = &Find<TbsSkinListBox>(*form, "ListBoxGame");
    TbsSkinListBox* prog = &Find<TbsSkinListBox>(*form, "ListBoxProg");
    auto& box = Find<TbsSkinScrollBox>(*form, "ScrollBoxAbout");
    auto& aboutBar = Find<TbsSkinScrollBar>(*form, "ScrollBarAbout");
    auto& about = Find<TLabel>(*form, "LbAbout");

    game->SetItemIndex(3);
    prog->SetItemIndex(0);
    // The label has its wrapped height now; binding the bar again re-evaluates the box.
    box.SetVScrollBar(&aboutBar);
    form->Show();

    EXPECT_EQ(game->Items().Count(), 300);
    EXPECT_EQ(prog->Items().Count(), 400);
    TbsSkinScrollBar* gameBar = game->ScrollBar();
    ASSERT_NE(gameBar, nullptr);
    EXPECT_EQ(gameBar->BoundsRect(), Bounds(171, 1, 19, 384));
    EXPECT_EQ(gameBar->Max(), 299);
    EXPECT_EQ(gameBar->PageSize(), 19);
    ASSERT_NE(prog->ScrollBar(), nullptr);
    EXPECT_EQ(prog->ScrollBar()->BoundsRect(), Bounds(237, 1, 19, 392));
    EXPECT_GT(about.Height(), box.ClientHeight());
    EXPECT_TRUE(aboutBar.Visible());
    EXPECT_EQ(aboutBar.Max(), about.Top() + about.Height() - 1);
    EXPECT_EQ(aboutBar.PageSize(), box.ClientHeight());

    std::filesystem::create_directories(std::string(VITRINA_BINARY_DIR) + "/gallery");
    ASSERT_TRUE(SaveControlPng(*form, std::string(VITRINA_BINARY_DIR) + "/gallery/controls.png"));
    TPixelBuffer picture;
    GrabControl(*form, picture);
    EXPECT_EQ(picture.Width(), 800);
    EXPECT_EQ(picture.Pixel(26, 83), ColorToRGB(clBtnShadow));       // the category list's frame
    EXPECT_EQ(picture.Pixel(29, 86 + 3 * 20), ColorToRGB(clHighlight)); // its current item
    EXPECT_EQ(picture.Pixel(29, 86), ColorToRGB(clWindow));
}

} // namespace
