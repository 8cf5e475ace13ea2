#include "launcher/main_unit.h"

#include "launcher/brand.h"
#include "launcher/browsing_rules.h"
#include "platform/exceptions.h"
#include "platform/shell.h"
#include "pictures/image.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_scroll_box.h"
#include "skin/skin_data.h"
#include "skin/stored_skin.h"
#include "toolkit/application.h"
#include "toolkit/form_reader.h"
#include "toolkit/ge_scale.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/screen.h"
#include "toolkit/timer.h"
#include "viewer/orig_pic.h"

TMainFr* MainFr = nullptr;

namespace {

constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;

} // namespace

void RegisterLauncherClasses() { TClassRegistration<TMainFr>("TMainFr", "TForm"); }

TMainFr::TMainFr(TComponent* owner) : TForm(owner) {
    MainFr = this;
    ReadFormResource(*this, MainFrForm, Handlers(), [this] { TakeBrand(); });
    BindComponents();
}

TMainFr::~TMainFr() {
    BeforeDestruction();
    if (MainFr == this) MainFr = nullptr;
}

THandlerTable TMainFr::Handlers() {
    THandlerTable table;
    auto notify = [&](const char* name, void (TMainFr::*method)(TObject*)) {
        table.Add<TNotifyEvent>(name, [this, method](TObject* sender) { (this->*method)(sender); });
    };
    auto mouseMove = [&](const char* name, void (TMainFr::*method)(TObject*, TShiftState, int, int)) {
        table.Add<TMouseMoveEvent>(name, [this, method](TObject* sender, TShiftState shift, int x, int y) {
            (this->*method)(sender, shift, x, y);
        });
    };
    auto drawItem = [&](const char* name, void (TMainFr::*method)(TCanvas&, int, int, int, TRect, TOwnerDrawState)) {
        table.Add<TbsDrawSkinItemEvent>(
            name, [this, method](TCanvas& cnvs, int index, int width, int height, TRect textRect,
                                 TOwnerDrawState state) { (this->*method)(cnvs, index, width, height, textRect, state); });
    };
    notify("FormCreate", &TMainFr::FormCreate);
    notify("StartTimerTimer", &TMainFr::StartTimerTimer);
    notify("ImMiniClick", &TMainFr::ImMiniClick);
    notify("ImCloseClick", &TMainFr::ImCloseClick);
    notify("ImInetClick", &TMainFr::ImInetClick);
    notify("ImPicClick", &TMainFr::ImPicClick);
    notify("ListBoxGameListBoxClick", &TMainFr::ListBoxGameListBoxClick);
    notify("ListBoxProgListBoxClick", &TMainFr::ListBoxProgListBoxClick);
    notify("ListBoxProgListBoxDblClick", &TMainFr::ListBoxProgListBoxDblClick);
    mouseMove("ImBodyMouseMove", &TMainFr::ImBodyMouseMove);
    mouseMove("ImPicMouseMove", &TMainFr::ImPicMouseMove);
    mouseMove("ListBoxGameListBoxMouseMove", &TMainFr::ListBoxGameListBoxMouseMove);
    mouseMove("ListBoxProgListBoxMouseMove", &TMainFr::ListBoxProgListBoxMouseMove);
    mouseMove("MinCloPanelMouseMove", &TMainFr::MinCloPanelMouseMove);
    mouseMove("ImCloseMouseMove", &TMainFr::ImCloseMouseMove);
    mouseMove("ImMiniMouseMove", &TMainFr::ImMiniMouseMove);
    mouseMove("ImInetMouseMove", &TMainFr::ImInetMouseMove);
    mouseMove("ScrollBarAboutMouseMove", &TMainFr::ScrollBarAboutMouseMove);
    drawItem("ListBoxGameDrawItem", &TMainFr::ListBoxGameDrawItem);
    drawItem("ListBoxProgDrawItem", &TMainFr::ListBoxProgDrawItem);
    table.Add<TKeyEvent>("ListBoxProgListBoxKeyDown", [this](TObject* sender, std::uint16_t& key, TShiftState shift) {
        ListBoxProgListBoxKeyDown(sender, key, shift);
    });
    return table;
}

void TMainFr::BindComponents() {
    auto bind = [this](const char* name, auto*& field) {
        using T = std::remove_reference_t<decltype(*field)>;
        TComponent* component = FindComponent(name);
        field = dynamic_cast<T*>(component);
        if (!field) throw Exception(std::string("Form MainFr: component ") + name + " is missing or of another class");
        FFieldClearers[name] = [&field](TComponent* gone) {
            if (static_cast<TComponent*>(field) == gone) field = nullptr;
        };
    };
    bind("ImHead", ImHead);
    bind("MainPanel", MainPanel);
    bind("ImBody", ImBody);
    bind("ImPic", ImPic);
    bind("Image1", Image1);
    bind("Image2", Image2);
    bind("Image3", Image3);
    bind("ImNoImag", ImNoImag);
    bind("ListBoxGame", ListBoxGame);
    bind("ScrollBarGame", ScrollBarGame);
    bind("ListBoxProg", ListBoxProg);
    bind("ScrollBarProg", ScrollBarProg);
    bind("ScrollBoxAbout", ScrollBoxAbout);
    bind("LbAbout", LbAbout);
    bind("ScrollBarAbout", ScrollBarAbout);
    bind("MinCloPanel", MinCloPanel);
    bind("ImClose", ImClose);
    bind("ImMini", ImMini);
    bind("Panel1", Panel1);
    bind("ImInet", ImInet);
    bind("StartTimer", StartTimer);
    bind("bsSkinData1", bsSkinData1);
    bind("bsStoredSkin1", bsStoredSkin1);
}

void TMainFr::TakeBrand() {
    // The stored skin is replaced before the skin data loads it, so the load runs once,
    // as it would with the built-in skin.
    const TBrand* brand = LauncherBrand();
    if (!brand) return;
    auto replace = [this](const char* name, const std::unique_ptr<TPicture>& picture) {
        if (auto* image = dynamic_cast<TImage*>(FindComponent(name)); image && picture)
            image->Picture().Assign(picture.get());
    };
    replace("ImHead", brand->Head);
    replace("ImBody", brand->Body);
    replace("ImNoImag", brand->NoImage);
    if (auto* stored = dynamic_cast<TbsStoredSkin*>(FindComponent("bsStoredSkin1")); stored && !brand->SkinIni.empty())
        ApplyBrandSkin(*brand, *stored);
    replace("ImInet", brand->Link);
    if (!brand->Site.empty()) {
        FPublisherAddress = brand->Site;
        // Our address must not stand on a link that opens theirs.
        if (auto* link = dynamic_cast<TImage*>(FindComponent("ImInet")); link && !brand->Link)
            WriteHostOnLinkPicture(link->Picture().Bitmap(), SiteHostName(brand->Site));
    }
}

void TMainFr::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove) return;
    // A component of the window destroyed by someone else (a list box drops the scroll
    // bar it was handed) leaves its field empty.
    auto found = FFieldClearers.find(component->Name());
    if (found != FFieldClearers.end()) found->second(component);
}

void TMainFr::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.Style = WS_POPUP;
}

void TMainFr::WndProc(TMessage& message) {
    // The whole window is its own caption: a press anywhere no child covers moves it.
    if (message.Msg == WM_NCHITTEST) {
        message.Result = HTCAPTION;
        return;
    }
    TForm::WndProc(message);
}

void TMainFr::FormCreate(TObject*) {
    AdjustFormFonts(*this);
    SetLeft(CentredPosition(Screen->Width(), WindowWidth));
    SetTop(CentredPosition(Screen->Height(), WindowHeight));
    SetWidth(WindowWidth);
    SetHeight(WindowHeight);
    SetDoubleBuffered(true);
    MainPanel->SetDoubleBuffered(true);
    MinCloPanel->SetDoubleBuffered(true);
    ListBoxGame->SetScrollBar(ScrollBarGame);
    ListBoxProg->SetScrollBar(ScrollBarProg);
    ScrollBoxAbout->SetVScrollBar(ScrollBarAbout);
    ImMini->SetCursor(crHandPoint);
    ImInet->SetAccessibleName(FPublisherAddress);
    ListBoxProg->ListBox()->AccessibleItemDescription = [this](int j) { return TitleDescriptionForScreenReader(j); };
    StartTimer->SetEnabled(true);
}

void TMainFr::StartTimerTimer(TObject*) {
    // Once only: a failure below is reported and not retried.
    StartTimer->SetEnabled(false);
    RunStartupSequence();
}

void TMainFr::ImMiniClick(TObject*) { Application->Minimize(); }

void TMainFr::ImCloseClick(TObject*) { Close(); }

void TMainFr::ImInetClick(TObject*) { ShellExecute("open", FPublisherAddress, SW_SHOW); }

void TMainFr::ImPicClick(TObject*) {
    if (!FThumbFound) return;
    // The viewer sizes itself to its content; these requests only pass through that rule.
    BigPic->SetClientWidth(ImPic->Picture().Width());
    BigPic->SetClientHeight(ImPic->Picture().Height());
    BigPic->SetLeft(0);
    BigPic->SetTop(0);
    // Maximised at every opening, whatever the user left it in.
    BigPic->SetWindowState(wsMaximized);
    BigPic->ShowModal();
}

void TMainFr::ImBodyMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crArrow); }

void TMainFr::ImPicMouseMove(TObject*, TShiftState, int, int) {
    Screen->SetCursor(FThumbFound ? crHandPoint : crArrow);
}

void TMainFr::ListBoxGameListBoxMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::ListBoxProgListBoxMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::MinCloPanelMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::ImCloseMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::ImMiniMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::ImInetMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
void TMainFr::ScrollBarAboutMouseMove(TObject*, TShiftState, int, int) { Screen->SetCursor(crHandPoint); }
