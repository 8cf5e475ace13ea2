#include "toolkit/toolkit_classes.h"

#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/timer.h"

const TIdentTable& CursorIdents() {
    static const TIdentTable table = {
        {"crDefault", crDefault}, {"crNone", crNone},         {"crArrow", crArrow},
        {"crCross", crCross},     {"crIBeam", crIBeam},       {"crSizeNS", crSizeNS},
        {"crSizeWE", crSizeWE},   {"crHourGlass", crHourGlass}, {"crNo", crNo},
        {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
    };
    return table;
}

const TIdentTable& AccessibleRoleIdents() {
    static const TIdentTable table = {
        {"arDefault", arDefault},   {"arIgnored", arIgnored},       {"arTransparent", arTransparent},
        {"arWindow", arWindow},     {"arDialog", arDialog},         {"arPane", arPane},
        {"arList", arList},         {"arListItem", arListItem},     {"arStaticText", arStaticText},
        {"arGraphic", arGraphic},   {"arButton", arButton},         {"arLink", arLink},
        {"arScrollBar", arScrollBar},
    };
    return table;
}

const TIdentTable& AlignIdents() {
    static const TIdentTable table = {{"alNone", alNone},   {"alTop", alTop},     {"alBottom", alBottom},
                                      {"alLeft", alLeft},   {"alRight", alRight}, {"alClient", alClient}};
    return table;
}

const TIdentTable& AlignmentIdents() {
    static const TIdentTable table = {
        {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
    return table;
}

const TIdentTable& FontStyleIdents() {
    static const TIdentTable table = {
        {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
    return table;
}

void RegisterToolkitClasses() {
    static bool done = false;
    if (done) return;
    done = true;

    TClassRegistration<TComponent>("TComponent", "")
        .Integer("Tag", [](TComponent& c, int v) { c.SetTag(v); });

    TClassRegistration<TControl>("TControl", "TComponent")
        .Integer("Left", [](TControl& c, int v) { c.SetLeft(v); })
        .Integer("Top", [](TControl& c, int v) { c.SetTop(v); })
        .Integer("Width", [](TControl& c, int v) { c.SetWidth(v); })
        .Integer("Height", [](TControl& c, int v) { c.SetHeight(v); })
        .Integer("ClientWidth", [](TControl& c, int v) { c.SetClientWidth(v); })
        .Integer("ClientHeight", [](TControl& c, int v) { c.SetClientHeight(v); })
        .Boolean("Visible", [](TControl& c, bool v) { c.SetVisible(v); })
        .Boolean("Enabled", [](TControl& c, bool v) { c.SetEnabled(v); })
        .Enum("Cursor", CursorIdents(), [](TControl& c, int v) { c.SetCursor(TCursor(v)); }, true)
        .String("Hint", [](TControl& c, const std::string& v) { c.SetHint(v); })
        .Boolean("ShowHint", [](TControl& c, bool v) { c.SetShowHint(v); })
        .Boolean("ParentShowHint", [](TControl& c, bool v) { c.SetParentShowHint(v); })
        .String("Font.Name", [](TControl& c, const std::string& v) { c.Font().SetName(v); })
        .Integer("Font.Height", [](TControl& c, int v) { c.Font().SetHeight(v); })
        .Color("Font.Color", [](TControl& c, TColor v) { c.Font().SetColor(v); })
        .Integer("Font.Charset", [](TControl& c, int v) { c.Font().SetCharset(v); })
        .Set("Font.Style", FontStyleIdents(), [](TControl& c, int v) { c.Font().SetStyle(TFontStyles(v)); })
        .Boolean("ParentFont", [](TControl& c, bool v) { c.SetParentFont(v); })
        .Color("Color", [](TControl& c, TColor v) { c.SetColor(v); })
        .Boolean("ParentColor", [](TControl& c, bool v) { c.SetParentColor(v); })
        .String("Caption", [](TControl& c, const std::string& v) { c.SetCaption(v); })
        .Enum("Align", AlignIdents(), [](TControl& c, int v) { c.SetAlign(TAlign(v)); })
        .Boolean("AutoSize", [](TControl& c, bool v) { c.SetAutoSize(v); })
        .Enum("AccessibleRole", AccessibleRoleIdents(), [](TControl& c, int v) { c.SetAccessibleRole(TAccessibleRole(v)); })
        .String("AccessibleName", [](TControl& c, const std::string& v) { c.SetAccessibleName(v); })
        .String("AccessibleDescription", [](TControl& c, const std::string& v) { c.SetAccessibleDescription(v); })
        .Handler("OnClick", &TControl::OnClick)
        .Handler("OnDblClick", &TControl::OnDblClick)
        .Handler("OnMouseDown", &TControl::OnMouseDown)
        .Handler("OnMouseMove", &TControl::OnMouseMove)
        .Handler("OnMouseUp", &TControl::OnMouseUp)
        .Handler("OnResize", &TControl::OnResize);

    TClassRegistration<TGraphicControl>("TGraphicControl", "TControl");

    TClassRegistration<TWinControl>("TWinControl", "TControl")
        .Integer("TabOrder", [](TWinControl& c, int v) { c.SetTabOrder(v); })
        .Boolean("TabStop", [](TWinControl& c, bool v) { c.SetTabStop(v); })
        .Boolean("DoubleBuffered", [](TWinControl& c, bool v) { c.SetDoubleBuffered(v); })
        .Handler("OnKeyDown", &TWinControl::OnKeyDown)
        .Handler("OnKeyPress", &TWinControl::OnKeyPress)
        .Handler("OnKeyUp", &TWinControl::OnKeyUp)
        .Handler("OnEnter", &TWinControl::OnEnter)
        .Handler("OnExit", &TWinControl::OnExit)
        .Handler("OnMouseWheel", &TWinControl::OnMouseWheel);

    TClassRegistration<TCustomControl>("TCustomControl", "TWinControl");

    TClassRegistration<TForm>("TForm", "TWinControl")
        .Enum("BorderStyle",
              {{"bsNone", bsNone}, {"bsSingle", bsSingle}, {"bsSizeable", bsSizeable},
               {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}},
              [](TForm& f, int v) { f.SetBorderStyle(TFormBorderStyle(v)); })
        .Enum("WindowState", {{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}},
              [](TForm& f, int v) { f.SetWindowState(TWindowState(v)); })
        .Enum("Position", {{"poDesigned", poDesigned}, {"poDefault", poDefault}, {"poScreenCenter", poScreenCenter}},
              [](TForm& f, int v) { f.SetPosition(TPosition(v)); })
        .Integer("PixelsPerInch", [](TForm& f, int v) { f.SetPixelsPerInch(v); })
        .Boolean("Scaled", [](TForm& f, bool v) { f.SetScaled(v); })
        .Boolean("AutoScroll", [](TForm& f, bool v) { f.SetAutoScroll(v); })
        .Handler("OnCreate", &TForm::OnCreate)
        .Handler("OnActivate", &TForm::OnActivate)
        .Handler("OnDeactivate", &TForm::OnDeactivate)
        .Handler("OnDestroy", &TForm::OnDestroy)
        .Handler("OnShow", &TForm::OnShow)
        .Handler("OnHide", &TForm::OnHide);

    TIdentTable bevels = {{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
    TClassRegistration<TPanel>("TPanel", "TCustomControl")
        .Enum("BevelOuter", bevels, [](TPanel& p, int v) { p.SetBevelOuter(TBevelCut(v)); })
        .Enum("BevelInner", bevels, [](TPanel& p, int v) { p.SetBevelInner(TBevelCut(v)); })
        .Integer("BevelWidth", [](TPanel& p, int v) { p.SetBevelWidth(v); })
        .Integer("BorderWidth", [](TPanel& p, int v) { p.SetBorderWidth(v); })
        .Enum("Alignment", AlignmentIdents(), [](TPanel& p, int v) { p.SetAlignment(TAlignment(v)); });

    TClassRegistration<TLabel>("TLabel", "TGraphicControl")
        .Boolean("WordWrap", [](TLabel& l, bool v) { l.SetWordWrap(v); })
        .Boolean("Transparent", [](TLabel& l, bool v) { l.SetTransparent(v); })
        .Boolean("ShowAccelChar", [](TLabel& l, bool v) { l.SetShowAccelChar(v); })
        .Enum("Alignment", AlignmentIdents(), [](TLabel& l, int v) { l.SetAlignment(TAlignment(v)); })
        .Enum("Layout", {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}},
              [](TLabel& l, int v) { l.SetLayout(TTextLayoutKind(v)); });

    TClassRegistration<TTimer>("TTimer", "TComponent")
        .Boolean("Enabled", [](TTimer& t, bool v) { t.SetEnabled(v); })
        .Integer("Interval", [](TTimer& t, int v) { t.SetInterval(v); })
        .Handler("OnTimer", &TTimer::OnTimer);
}
