#include "stand_in_skin.h"

#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "support/test_application.h"
#include "toolkit/form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<std::string> messages;

// Logs the skin change messages it gets as "name message", with "?" when the
// parameters are not the skin data and 1000.
class TListeningForm : public TForm {
public:
    TListeningForm(const std::string& name, TbsSkinData** expected)
        : TForm(nullptr), FExpected(expected) {
        SetName(name);
    }
    void WndProc(TMessage& message) override {
        if (message.Msg >= WM_SKINCHANGING && message.Msg <= WM_SKINCHANGEDONE) {
            bool ok = message.WParam == reinterpret_cast<std::intptr_t>(*FExpected) &&
                      message.LParam == 1000;
            messages.push_back(Name() + " " + std::to_string(message.Msg) + (ok ? "" : "?"));
        }
        TForm::WndProc(message);
    }

private:
    TbsSkinData** FExpected;
};

const std::vector<std::string> kSkinLines = {"[VERSION]",
                                             "skinname=Test skin",
                                             "[PICTURES]",
                                             "[FORMINFO]",
                                             "clientrect=1,1,9,9",
                                             "[POPUPWINDOW]",
                                             "windowpictureindex=0",
                                             "[SKINOBJECTS]",
                                             "count=1",
                                             "0=close:button",
                                             "[close]",
                                             "skinrect=0,0,4,4",
                                             "[SKINCONTROLS]",
                                             "count=3",
                                             "0=listbox:listbox",
                                             "1=slider:slider",
                                             "2=vscrollbar:scrollbar",
                                             "[listbox]",
                                             "skinrect=1,2,30,40",
                                             "pictureindex=1",
                                             "[vscrollbar]",
                                             "skinrect=0,0,10,10"};

std::vector<std::string> Without(std::vector<std::string> lines, const std::string& line) {
    std::erase(lines, line);
    return lines;
}

std::vector<std::string> With(std::vector<std::string> lines, const std::string& line) {
    lines.push_back(line);
    return lines;
}

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        messages.clear();
        // Forms in the application's list: another one before the owner, one after.
        Before = std::make_unique<TListeningForm>("before", &Data);
        Owner = std::make_unique<TListeningForm>("owner", &Data);
        After = std::make_unique<TListeningForm>("after", &Data);
        Data = new TbsSkinData(Owner.get());
        Stored = new TbsStoredSkin(Owner.get());
        FillPattern(Stored->Picture(), pf8bit, 10, 10, 16);
        for (int i = 0; i < 2; ++i) {
            Stored->ActivePictures.push_back(std::make_unique<TBitmap>());
            FillPattern(*Stored->ActivePictures.back(), pf24bit, 20 + i, 30, 0);
        }
    }

    void Load(const std::vector<std::string>& lines) {
        Stored->SetIniStrings(TStringList(lines));
        Data->SetStoredSkin(Stored);
    }

    // The messages one form got.
    static std::vector<std::string> Of(const std::string& form) {
        std::vector<std::string> got;
        for (const std::string& m : messages)
            if (m.rfind(form + " ", 0) == 0) got.push_back(m);
        return got;
    }

    std::unique_ptr<TListeningForm> Before, Owner, After;
    TbsSkinData* Data = nullptr;
    TbsStoredSkin* Stored = nullptr;
};

TEST_F(SkinDataTest, ALoadReadsEverythingAndTellsTheOwnerFirstThenTheOtherForms) {
    EXPECT_TRUE(Data->Empty());
    EXPECT_FALSE(Owner->HandleAllocated());
    Load(kSkinLines);

    EXPECT_EQ(messages, (std::vector<std::string>{"owner 1225", "before 1225", "after 1225",
                                                  "owner 1226", "before 1226", "after 1226",
                                                  "owner 1227", "before 1227", "after 1227"}));
    EXPECT_TRUE(Owner->HandleAllocated());
    EXPECT_FALSE(Data->Empty());
    EXPECT_EQ(Data->SkinName, "Test skin");
    EXPECT_EQ(Data->ClientRect, Rect(1, 1, 9, 9));
    EXPECT_EQ(Data->PopupWindow.WindowPictureIndex, 0);
    ASSERT_EQ(Data->SkinObjects.size(), 1u);
    ASSERT_EQ(Data->SkinControls.size(), 2u); // "slider" makes no record
    EXPECT_EQ(Data->FindControlIndex("vscrollbar"), 1);
    EXPECT_EQ(Data->Picture().Width(), 10);
    EXPECT_TRUE(Data->Mask().Empty());
    ASSERT_EQ(Data->ActivePictures.size(), 2u);
    EXPECT_EQ(Data->ActivePictures[1]->Width(), 21);
    EXPECT_EQ(Data->ActivePictures[1]->PixelBuffer().Pixel(3, 4),
              Stored->ActivePictures[1]->PixelBuffer().Pixel(3, 4));

    // The skin has its own copies: the stored skin may change or go.
    Stored->ActivePictures.clear();
    Stored->Picture().Clear();
    delete Stored;
    EXPECT_EQ(Data->StoredSkin(), nullptr);
    EXPECT_FALSE(Data->Empty());
    EXPECT_EQ(Data->Picture().Width(), 10);
    EXPECT_EQ(Data->ActivePictures.size(), 2u);
}

TEST_F(SkinDataTest, AMissingSectionLeavesItEmptyWithoutAnError) {
    Load(kSkinLines);
    messages.clear();
    Load(Without(kSkinLines, "[SKINCONTROLS]"));
    EXPECT_TRUE(Data->Empty());
    EXPECT_TRUE(Data->SkinControls.empty());
    EXPECT_TRUE(Data->SkinObjects.empty());
    EXPECT_TRUE(Data->ActivePictures.empty());
    EXPECT_TRUE(Data->Picture().Empty());
    EXPECT_EQ(Data->PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(Of("owner"), (std::vector<std::string>{"owner 1225", "owner 1226", "owner 1227"}));
    EXPECT_EQ(Of("after").size(), 3u);
}

TEST_F(SkinDataTest, AMalformedRectStopsTheLoadWithItsErrorAndNoClosingMessages) {
    Load(kSkinLines);
    messages.clear();
    // The last section read wins, so this empties the scroll bar's rect.
    EXPECT_THROW(Load(With(With(kSkinLines, "[vscrollbar]"), "skinrect=")), EConvertError);
    EXPECT_TRUE(Data->Empty());
    EXPECT_EQ(Of("owner"), (std::vector<std::string>{"owner 1225"}));
    EXPECT_EQ(messages.size(), 3u);
    // What was read before the error stays until the next load clears it.
    EXPECT_EQ(Data->SkinControls.size(), 2u);
    EXPECT_EQ(Data->ActivePictures.size(), 2u);

    Load(kSkinLines);
    EXPECT_FALSE(Data->Empty());
    EXPECT_EQ(Data->SkinControls.size(), 2u);
}

TEST_F(SkinDataTest, LettingGoOfTheStoredSkinKeepsTheLoadedSkin) {
    Load(kSkinLines);
    messages.clear();
    Data->SetStoredSkin(nullptr);
    EXPECT_EQ(Data->StoredSkin(), nullptr);
    EXPECT_FALSE(Data->Empty());
    EXPECT_EQ(Data->SkinControls.size(), 2u);
    EXPECT_TRUE(messages.empty());
    // No longer referenced, its destruction is nothing to the skin data.
    delete Stored;
    EXPECT_FALSE(Data->Empty());
}

} // namespace
