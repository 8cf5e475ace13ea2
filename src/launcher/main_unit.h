#pragma once
// The launcher window: the fixed 800×600 borderless surface that browses the disc's
// catalogue, shows a title's description and thumbnail, opens the full screenshot and
// asks the desktop to open a title's folder.

#include "catalogue/catalogue.h"
#include "launcher/browsing_rules.h"
#include "skin/controls/skin_list_box.h"
#include "toolkit/class_registry.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"

#include <functional>
#include <map>
#include <string>

class TImage;
class TLabel;
class TPanel;
class TTimer;
class TbsSkinData;
class TbsSkinListBox;
class TbsSkinScrollBar;
class TbsSkinScrollBox;
class TbsStoredSkin;

class TMainFr : public TForm {
public:
    explicit TMainFr(TComponent* owner);
    ~TMainFr() override;
    const char* ClassName() const override { return "TMainFr"; }

    bool ThumbFound() const { return FThumbFound; }
    const TCatalogue& Catalogue() const { return FCatalogue; }

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // The components of the stored window, by their stored names.
    TImage* ImHead = nullptr;
    TPanel* MainPanel = nullptr;
    TImage* ImBody = nullptr;
    TImage* ImPic = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TImage* ImNoImag = nullptr;
    TbsSkinListBox* ListBoxGame = nullptr;
    TbsSkinScrollBar* ScrollBarGame = nullptr;
    TbsSkinListBox* ListBoxProg = nullptr;
    TbsSkinScrollBar* ScrollBarProg = nullptr;
    TbsSkinScrollBox* ScrollBoxAbout = nullptr;
    TLabel* LbAbout = nullptr;
    TbsSkinScrollBar* ScrollBarAbout = nullptr;
    TPanel* MinCloPanel = nullptr;
    TImage* ImClose = nullptr;
    TImage* ImMini = nullptr;
    TPanel* Panel1 = nullptr;
    TImage* ImInet = nullptr;
    TTimer* StartTimer = nullptr;
    TbsSkinData* bsSkinData1 = nullptr;
    TbsStoredSkin* bsStoredSkin1 = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    THandlerTable Handlers();
    void BindComponents();
    // A disc publisher's pictures, skin and address in place of the stored ones.
    void TakeBrand();

    // Frame and chrome.
    void FormCreate(TObject* sender);
    void StartTimerTimer(TObject* sender);
    void ImMiniClick(TObject* sender);
    void ImCloseClick(TObject* sender);
    void ImInetClick(TObject* sender);
    void ImPicClick(TObject* sender);
    void ImBodyMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImPicMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ListBoxGameListBoxMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ListBoxProgListBoxMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void MinCloPanelMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImCloseMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImMiniMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImInetMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ScrollBarAboutMouseMove(TObject* sender, TShiftState shift, int x, int y);

    // Browsing and launching.
    void RunStartupSequence();
    void FillCategoryList();
    void ShowFirstCategory();
    void ShowCategory(int k);
    void ShowTitleDetails();
    void LaunchSelectedTitle();
    std::string SelectedTitlePath() const;
    bool TitleExists(int k, int j) const;
    std::string TitleDescriptionForScreenReader(int j) const;
    void ListBoxGameListBoxClick(TObject* sender);
    void ListBoxProgListBoxClick(TObject* sender);
    void ListBoxProgListBoxDblClick(TObject* sender);
    void ListBoxProgListBoxKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

    // List item painting.
    void ListBoxGameDrawItem(TCanvas& cnvs, int index, int itemWidth, int itemHeight, TRect textRect,
                             TOwnerDrawState state);
    void ListBoxProgDrawItem(TCanvas& cnvs, int index, int itemWidth, int itemHeight, TRect textRect,
                             TOwnerDrawState state);

    TCatalogue FCatalogue;
    int FLastCategory = 0;
    bool FThumbFound = false;
    std::string FPublisherAddress = PublisherAddress;
    // Clears the field of a component that was destroyed elsewhere, so none dangles.
    std::map<std::string, std::function<void(TComponent* gone)>> FFieldClearers;
};

// The launcher window, set as soon as it exists.
extern TMainFr* MainFr;
// The window's stored description.
extern const TFormResource MainFrForm;

// Registers the launcher's form class with the form reader.
void RegisterLauncherClasses();
