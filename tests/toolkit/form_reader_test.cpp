#include "platform/exceptions.h"
#include "support/test_application.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/timer.h"

#include <QByteArray>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

std::vector<std::string> resolutionLog;

// Records, when its reference is resolved, what the target looked like then.
class TProbe : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TProbe"; }
    std::string Note;
    TComponent* Target = nullptr;
};

void RegisterProbe() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistration<TProbe>("TProbe", "TComponent")
        .String("Note", [](TProbe& p, const std::string& v) { p.Note = v; })
        .Reference<TComponent>("Target", [](TProbe& p, TComponent* target) {
            p.Target = target;
            auto* probe = dynamic_cast<TProbe*>(target);
            resolutionLog.push_back(p.Name() + "->" + target->Name() + (probe ? ":" + probe->Note : ""));
        });
}

class FormReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        RegisterProbe();
        resolutionLog.clear();
    }

    void Read(TForm& form, const std::string& text) {
        ReadForm(form, ParseFormText(text, "test.form", ""), Handlers);
    }

    std::string ReadError(const std::string& text) {
        TForm form(nullptr);
        try {
            Read(form, text);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "no error";
    }

    THandlerTable Handlers;
};

} // namespace

TEST_F(FormReaderTest, BuildsComponentsByClassNameIntoTheirParents) {
    int clicks = 0;
    Handlers.Add<TNotifyEvent>("PanelClick", [&](TObject*) { ++clicks; });
    TForm form(nullptr);
    Read(form, R"(
        Sample: TForm {
          Caption = "Окно"    # Cyrillic becomes code page 1251
          Font.Height = -11
          Body: TPanel {
            Left = 10  Top = 20  Width = 100  Height = 50
            BevelOuter = bvLowered
            Color = $00FF00
            OnClick = PanelClick
            Text: TLabel {
              Caption = "a&b"
              Font.Style = [fsBold, fsItalic]
              Cursor = crHandPoint
            }
          }
          Tick: TTimer { Interval = 250 Enabled = false }
        })");
    EXPECT_EQ(form.Name(), "Sample");
    EXPECT_EQ(form.Caption(), "\xCE\xEA\xED\xEE");
    auto* body = dynamic_cast<TPanel*>(form.FindComponent("Body"));
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->Parent(), &form);
    EXPECT_EQ(body->BoundsRect(), Rect(10, 20, 110, 70));
    EXPECT_EQ(body->BevelOuter(), bvLowered);
    EXPECT_EQ(body->Color(), 0x00FF00);
    auto* text = dynamic_cast<TLabel*>(form.FindComponent("Text"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Parent(), body);
    EXPECT_EQ(text->Font().Style(), fsBold | fsItalic);
    EXPECT_EQ(text->Cursor(), crHandPoint);
    auto* tick = dynamic_cast<TTimer*>(form.FindComponent("Tick"));
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->Interval(), 250);
    EXPECT_FALSE(tick->Enabled());
    body->Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormReaderTest, ReferencesResolveAfterTheWholeFormInTheOrderMet) {
    TForm form(nullptr);
    Read(form, R"(
        F: TForm {
          First: TProbe { Target = Last  Note = "first" }
          Second: TProbe { Target = First  Note = "second" }
          Last: TProbe { Note = "last, complete when First sees it" }
        })");
    // First saw Last with all its properties, though Last was read after it.
    EXPECT_EQ(resolutionLog, (std::vector<std::string>{"First->Last:last, complete when First sees it",
                                                       "Second->First:first"}));
}

TEST_F(FormReaderTest, ErrorsNameTheFormTheComponentAndTheProperty) {
    EXPECT_EQ(ReadError("F: TForm { X: TNoSuchThing { } }"),
              "Form F, component X (TNoSuchThing): class TNoSuchThing is not registered");
    EXPECT_EQ(ReadError("F: TForm { P: TPanel { Colour = clRed } }"),
              "Form F, component P (TPanel), property Colour: no such property");
    EXPECT_EQ(ReadError("F: TForm { P: TPanel { OnClick = Missing } }"),
              "Form F, component P (TPanel), property OnClick: the form has no handler named Missing");
    EXPECT_EQ(ReadError("F: TForm { P: TPanel { Left = \"ten\" } }"),
              "Form F, component P (TPanel), property Left: expected a number, found a string");
    EXPECT_EQ(ReadError("F: TForm { P: TPanel { BevelOuter = bvSideways } }"),
              "Form F, component P (TPanel), property BevelOuter: unknown value bvSideways");
    EXPECT_THAT(ReadError("F: TForm { A: TProbe { Target = Nobody } }"),
                HasSubstr("component A (TProbe), property Target: there is no component named Nobody"));
    EXPECT_THAT(ReadError("F: TForm { L: TLabel { Inner: TLabel { } } }"), HasSubstr("cannot hold other components"));
    EXPECT_THAT(ReadError("F: TForm { A: TPanel { } A: TPanel { } }"), HasSubstr("already exists"));
}

TEST_F(FormReaderTest, AHandlerOfTheWrongTypeIsRefused) {
    Handlers.Add<TMouseMoveEvent>("Moved", [](TObject*, TShiftState, int, int) {});
    EXPECT_EQ(ReadError("F: TForm { P: TPanel { OnClick = Moved } }"),
              "Form F, component P (TPanel), property OnClick: handler Moved does not fit this event");
}

TEST(FormText, SyntaxErrorsGiveTheLine) {
    try {
        ParseFormText("F: TForm {\n  Left = 1\n  Top = \n}", "broken.form", "");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_THAT(e.Message(), HasSubstr("broken.form:4"));
    }
    EXPECT_THROW(ParseFormText("F: TForm { Caption = \"no end }", "x", ""), Exception);
    // Text must fit code page 1251: the euro sign does, a Chinese character does not.
    EXPECT_NO_THROW(ParseFormText("F: TForm { Caption = \"\xE2\x82\xAC\" }", "x", ""));
    EXPECT_THROW(ParseFormText("F: TForm { Caption = \"\xE4\xB8\xAD\" }", "x", ""), Exception);
}

TEST(FormText, BinaryFormRoundTripsAndRefusesDamage) {
    TFormNode node = ParseFormText(R"(
        F: TForm {
          Items = ("a", "b")
          Style = [fsBold]
          Flag = true
          Number = -42
          Data = file("/dev/null")
          C: TPanel { Name2 = Ident }
        })", "x", "");
    auto bytes = EncodeFormBinary(node);
    TFormNode back = DecodeFormBinary(bytes.data(), bytes.size());
    EXPECT_EQ(EncodeFormBinary(back), bytes);
    EXPECT_EQ(back.Properties[0].Value.Items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(back.Properties[3].Value.Integer, -42);
    EXPECT_EQ(back.Children[0].Properties[0].Value.Text, "Ident");
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_THROW(DecodeFormBinary(bytes.data(), cut), Exception) << "cut at " << cut;
}

TEST(FormText, AResourceDecodedAheadIsTheOneDecodedAtOnce) {
    auto bytes = EncodeFormBinary(ParseFormText(R"(
        F: TForm {
          Caption = "ahead"
          C: TPanel { Tag = 7 }
        })", "x", ""));
    QByteArray packed = qCompress(bytes.data(), qsizetype(bytes.size()));
    const TFormResource resource{reinterpret_cast<const std::uint8_t*>(packed.constData()), std::size_t(packed.size())};
    DecodeFormResourceAhead(resource);
    DecodeFormResourceAhead(resource); // asked twice, decoded once
    EXPECT_EQ(EncodeFormBinary(DecodeFormResource(resource)), bytes);
    // The decoded tree was handed over; the next form built from it decodes anew.
    EXPECT_EQ(EncodeFormBinary(DecodeFormResource(resource)), bytes);

    QByteArray damaged = packed;
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x5A);
    const TFormResource broken{reinterpret_cast<const std::uint8_t*>(damaged.constData()), std::size_t(damaged.size())};
    DecodeFormResourceAhead(broken);
    EXPECT_THROW(DecodeFormResource(broken), Exception);
    EXPECT_THROW(DecodeFormResource(broken), Exception);
}

TEST_F(FormReaderTest, TheSampleFormPaintsOffScreen) {
    TForm form(nullptr);
    ReadForm(form, LoadFormText(std::string(VITRINA_SOURCE_DIR) + "/examples/forms/sample.form"), Handlers);
    form.AfterConstruction();
    TPixelBuffer picture;
    GrabControl(form, picture);
    ASSERT_EQ(picture.Width(), 320);
    ASSERT_EQ(picture.Height(), 160);
    EXPECT_EQ(picture.Pixel(5, 5), TColor(0x00505A28));
    EXPECT_EQ(picture.Pixel(20, 20), clWhite);                  // the raised bevel's light edge
    EXPECT_EQ(picture.Pixel(299, 139), RGB(128, 128, 128));     // and its shadow
    EXPECT_EQ(picture.Pixel(150, 120), TColor(0x00D8E4E8));
    // The label's text: dark pixels where the first line is written.
    int dark = 0;
    for (int x = 32; x < 280; ++x)
        for (int y = 32; y < 45; ++y)
            if (GetRValue(picture.Pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 100);
    SavePng(picture, std::string(VITRINA_BINARY_DIR) + "/sample-form.png");
}
