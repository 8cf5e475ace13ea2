// vitrina-kit shot [-C DIR] [--screen WxH] [--dpi N] [SCRIPT]
// Runs the real launcher and viewer headless, on a hand-driven clock, with shell
// requests and error reports recorded instead of carried out or shown, and replays a
// script of input (from SCRIPT or standard input). See the README for the script
// language and the state dump.

#include "kit_commands.h"
#include "json_writer.h"
#include "kit_shot_a11y.h"

#include "app/startup.h"
#include "launcher/main_unit.h"
#include "pictures/image.h"
#include "platform/cp1251.h"
#include "platform/exceptions.h"
#include "platform/file_names.h"
#include "platform/shell.h"
#include "skin/controls/skin_list_box.h"
#include "skin/controls/skin_scroll_bar.h"
#include "toolkit/application.h"
#include "toolkit/grab.h"
#include "toolkit/host_widget.h"
#include "toolkit/input_simulation.h"
#include "toolkit/label.h"
#include "toolkit/pixel_buffer.h"
#include "toolkit/screen.h"
#include "viewer/orig_pic.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TShotOptions {
    std::string Folder;
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    int Dpi = 96;
    std::string Script;
};

class TShotSession {
public:
    TShotSession(std::vector<std::string> lines, std::string startFolder)
        : FLines(std::move(lines)), FStartFolder(std::move(startFolder)) {}

    // Runs lines until the script ends or `stop` says so (a modal window closed).
    void RunUntil(const std::function<bool()>& stop) {
        while (FNext < FLines.size() && !(stop && stop())) {
            size_t number = FNext++;
            try {
                Execute(FLines[number]);
            } catch (const Exception& e) {
                throw Exception("script line " + std::to_string(number + 1) + ": " + e.Message());
            }
        }
    }

    std::vector<TShellRequest> Shell;
    std::vector<std::string> Errors;

private:
    TForm& Target(const std::vector<std::string>& words, size_t& count) {
        if (count > 0 && words[count - 1] == "viewer") {
            --count;
            return *BigPic;
        }
        return *MainFr;
    }

    static int Number(const std::string& word) {
        char* end = nullptr;
        long value = std::strtol(word.c_str(), &end, 10);
        if (word.empty() || *end) throw Exception("'" + word + "' is not a number");
        return int(value);
    }

    std::string OutputPath(const std::string& name) const {
        return NativePath(name).is_absolute() ? name : FsPathString(NativePath(FStartFolder) / NativePath(name));
    }

    void Execute(const std::string& rawLine) {
        std::string line = rawLine.substr(0, rawLine.find('#'));
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;) words.push_back(word);
        if (words.empty()) return;
        const std::string& verb = words[0];
        size_t count = words.size();
        bool pointer = verb == "move" || verb == "click" || verb == "dblclick" || verb == "press" ||
                       verb == "release" || verb == "wheel";
        // A user's pointer comes after the paint the last key set going, as a key does:
        // a list's scroll bar follows its list only when the list repaints.
        if (pointer) Application->FlushPendingPaints();
        if (verb == "move" || verb == "click" || verb == "dblclick" || verb == "press" || verb == "release") {
            TForm& form = Target(words, count);
            if (count != 3) throw Exception(verb + " X Y [viewer]");
            static const std::map<std::string, TMouseAction> actions = {
                {"move", maMove}, {"click", maClick}, {"dblclick", maDoubleClick}, {"press", maPress}, {"release", maRelease}};
            SimulateMouse(form, actions.at(verb), {Number(words[1]), Number(words[2])});
        } else if (verb == "wheel") {
            TForm& form = Target(words, count);
            if (count != 4) throw Exception("wheel X Y NOTCHES [viewer]");
            SimulateWheel(form, {Number(words[1]), Number(words[2])}, Number(words[3]));
        } else if (verb == "key") {
            if (count < 2) throw Exception("key NAME [shift] [ctrl] [alt]");
            TShiftState shift = 0;
            for (size_t i = 2; i < count; ++i) {
                if (words[i] == "shift") shift |= ssShift;
                else if (words[i] == "ctrl") shift |= ssCtrl;
                else if (words[i] == "alt") shift |= ssAlt;
                else throw Exception("unknown key modifier " + words[i]);
            }
            PressKey(words[1], shift);
        } else if (verb == "advance") {
            if (count != 2) throw Exception("advance MS");
            Application->ManualClock()->Advance(Number(words[1]));
            ProcessPendingInput();
        } else if (verb == "shot") {
            if (count < 2) throw Exception("shot FILE.png [viewer]");
            TForm& form = Target(words, count);
            TPixelBuffer picture;
            GrabControl(form, picture);
            if (!SavePng(picture, OutputPath(words[1]))) throw Exception("cannot write " + words[1]);
        } else if (verb == "restore") {
            // As the task bar or the title bar does it: through the window, not the application.
            Target(words, count).Widget()->showNormal();
            ProcessPendingInput();
        } else if (verb == "state") {
            if (count > 2 || (count == 2 && words[1] != "--all-items")) throw Exception("state [--all-items]");
            WriteState(count == 2);
        } else if (verb == "a11y") {
            WriteAccessibleTree(stdout);
        } else if (verb == "a11y-events") {
            WriteAccessibleEvents(stdout);
        } else if (verb == "a11y-press") {
            // The name is the rest of the line, spaces and all.
            std::string name = line.substr(line.find(verb) + verb.size());
            name.erase(0, name.find_first_not_of(" \t"));
            name.erase(name.find_last_not_of(" \t\r") + 1);
            if (!PressAccessible(name)) throw Exception("nothing named '" + name + "' to press");
            ProcessPendingInput();
        } else {
            throw Exception("unknown command " + verb);
        }
    }

    void PressKey(const std::string& name, TShiftState shift) {
        static const std::map<std::string, std::uint16_t> keys = {
            {"Enter", VK_RETURN}, {"Up", VK_UP},       {"Down", VK_DOWN}, {"Left", VK_LEFT},   {"Right", VK_RIGHT},
            {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"Home", VK_HOME}, {"End", VK_END},  {"Tab", VK_TAB},
            {"Escape", VK_ESCAPE}};
        TForm& form = BigPic->Modal() ? static_cast<TForm&>(*BigPic) : static_cast<TForm&>(*MainFr);
        if (auto found = keys.find(name); found != keys.end()) {
            SimulateKey(form, found->second, shift);
        } else if (name.size() >= 1) {
            // One character, given in UTF-8.
            std::string text = Utf8Character(name);
            SimulateChar(form, text[0], shift);
        }
    }

    static std::string Utf8Character(const std::string& utf8);

    static constexpr int ItemsAtEachEnd = 100;

    static void WriteBounds(TJsonWriter& json, int left, int top, int width, int height) {
        json.Member("left", left).Member("top", top).Member("width", width).Member("height", height);
    }

    static void WriteList(TJsonWriter& json, TbsSkinListBox& list, bool allItems) {
        // A million titles would make a line of megabytes: the ends and what lies between.
        const TStrings& items = list.Items();
        int count = items.Count();
        bool cut = !allItems && count > 2 * ItemsAtEachEnd;
        json.Member("itemCount", count).Key("items").BeginArray();
        for (int i = 0; i < count; ++i) {
            if (cut && i == ItemsAtEachEnd) i = count - ItemsAtEachEnd;
            json.String(items[i]);
        }
        json.EndArray().Key("itemsLeftOut");
        if (cut)
            json.BeginArray().Int(ItemsAtEachEnd).Int(count - ItemsAtEachEnd - 1).EndArray();
        else
            json.Null();
        json.Member("itemIndex", list.ItemIndex()).Member("topIndex", list.ListBox()->TopIndex()).Key("scrollBar");
        if (TbsSkinScrollBar* bar = list.ScrollBar()) {
            json.BeginObject().Member("visible", bar->Visible());
            WriteBounds(json, bar->Left(), bar->Top(), bar->Width(), bar->Height());
            WriteRange(json, *bar);
            json.EndObject();
        } else {
            json.Null();
        }
    }

    void WriteControl(TJsonWriter& json, TControl& control, bool allItems) {
        json.BeginObject().Member("visible", control.Visible());
        WriteBounds(json, control.Left(), control.Top(), control.Width(), control.Height());
        if (auto* list = dynamic_cast<TbsSkinListBox*>(&control)) WriteList(json, *list, allItems);
        if (auto* bar = dynamic_cast<TbsSkinScrollBar*>(&control)) WriteRange(json, *bar);
        if (auto* label = dynamic_cast<TLabel*>(&control)) json.Member("caption", label->Caption());
        if (auto* image = dynamic_cast<TImage*>(&control))
            json.Member("pictureWidth", image->Picture().Width()).Member("pictureHeight", image->Picture().Height());
        json.EndObject();
    }

    static void WriteRange(TJsonWriter& json, TbsSkinScrollBar& bar) {
        json.Member("min", bar.Min()).Member("max", bar.Max()).Member("position", bar.Position());
        json.Member("pageSize", bar.PageSize());
    }

    static std::string FocusName() {
        QWidget* focus = QApplication::focusWidget();
        auto* host = dynamic_cast<THostWidget*>(focus);
        for (TControl* control = host ? host->Control() : nullptr; control; control = control->Parent())
            if (!control->Name().empty()) return control->Name();
        return "";
    }

    void WriteState(bool allItems) {
        TJsonWriter json(stdout);
        TMainFr& main = *MainFr;
        json.BeginObject().Key("window").BeginObject();
        WriteBounds(json, main.Left(), main.Top(), main.Width(), main.Height());
        json.Member("visible", main.Visible()).Member("minimized", Application->Minimized()).EndObject();
        json.Key("screen").BeginObject().Member("width", Screen->Width()).Member("height", Screen->Height());
        json.Member("pixelsPerInch", Screen->PixelsPerInch());
        json.Member("scale", qRound(main.Widget()->devicePixelRatio())).EndObject();
        json.Member("cursor", Screen->Cursor()).Member("cursorShown", Screen->CursorShown());
        json.Member("focus", FocusName()).Member("thumbFound", main.ThumbFound());
        json.Key("controls").BeginObject();
        for (TForm* form : {static_cast<TForm*>(&main), static_cast<TForm*>(BigPic)}) {
            for (int i = 0; i < form->ComponentCount(); ++i) {
                auto* control = dynamic_cast<TControl*>(form->Components(i));
                if (!control || control->Name().empty()) continue;
                json.Key(control->Name());
                WriteControl(json, *control, allItems);
            }
        }
        json.EndObject().Key("viewer").BeginObject();
        json.Member("visible", BigPic->Visible()).Member("modal", BigPic->Modal());
        json.Member("maximized", BigPic->WindowState() == wsMaximized);
        WriteBounds(json, BigPic->Left(), BigPic->Top(), BigPic->Width(), BigPic->Height());
        json.Member("clientWidth", BigPic->ClientWidth()).Member("clientHeight", BigPic->ClientHeight());
        json.Member("pictureWidth", BigPic->ImageBigPic->Picture().Width());
        json.Member("pictureHeight", BigPic->ImageBigPic->Picture().Height());
        json.EndObject().Key("shell").BeginArray();
        for (const TShellRequest& request : Shell) {
            json.BeginObject().Member("verb", request.Verb).Member("file", request.File);
            json.Member("show", request.Show).EndObject();
        }
        json.EndArray().Key("errors").BeginArray();
        for (const std::string& error : Errors) json.String(error);
        json.EndArray().EndObject().Raw("\n");
    }

    std::vector<std::string> FLines;
    size_t FNext = 0;
    std::string FStartFolder;
};

std::string TShotSession::Utf8Character(const std::string& utf8) {
    std::string cp1251 = Utf8ToCp1251(utf8);
    if (cp1251.size() != 1) throw Exception("key " + utf8 + ": one character or a key name");
    return cp1251;
}

bool ParseOptions(std::span<char*> args, TShotOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw Exception(arg + " needs a value");
            return args[++i];
        };
        if (arg == "-C") {
            options.Folder = value();
        } else if (arg == "--screen") {
            std::string size = value();
            if (std::sscanf(size.c_str(), "%dx%d", &options.ScreenWidth, &options.ScreenHeight) != 2 ||
                options.ScreenWidth <= 0 || options.ScreenHeight <= 0)
                throw Exception("--screen takes WIDTHxHEIGHT");
        } else if (arg == "--dpi") {
            options.Dpi = std::atoi(value().c_str());
            if (options.Dpi <= 0) throw Exception("--dpi takes a positive number");
        } else if (options.Script.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            options.Script = arg;
        } else {
            return false;
        }
    }
    return true;
}

// The offscreen platform takes its screen from a small configuration file, which
// goes when the run ends. The platform's options are split at colons, so the file is
// named relative to its folder, never with a drive letter: the platform is made with
// that folder current.
class TScreenConfig {
public:
    explicit TScreenConfig(const TShotOptions& options)
        : FPath(std::filesystem::temp_directory_path() /
                ("vitrina-shot-screen-" + std::to_string(QCoreApplication::applicationPid()) + ".json")) {
        std::ofstream out(FPath);
        out << "{\"screens\": [{\"name\": \"shot\", \"x\": 0, \"y\": 0, \"width\": " << options.ScreenWidth
            << ", \"height\": " << options.ScreenHeight << ", \"logicalDpi\": " << options.Dpi
            << ", \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n";
        out.close();
        std::string platform = "offscreen:configfile=" + FsPathString(FPath.filename());
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    }
    ~TScreenConfig() {
        std::error_code ignored;
        std::filesystem::remove(FPath, ignored);
    }
    TScreenConfig(const TScreenConfig&) = delete;
    TScreenConfig& operator=(const TScreenConfig&) = delete;

    std::filesystem::path Folder() const { return FPath.parent_path(); }

private:
    std::filesystem::path FPath;
};

std::vector<std::string> ReadScript(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file;
    std::istream* in = &std::cin;
    if (!path.empty() && path != "-") {
        file.open(NativePath(path));
        if (!file) throw Exception("cannot read " + path);
        in = &file;
    }
    for (std::string line; std::getline(*in, line);) lines.push_back(line);
    return lines;
}

} // namespace

int RunShotCommand(std::span<char*> args) {
    TShotOptions options;
    try {
        if (!ParseOptions(args, options)) {
            std::fprintf(stderr, "usage: vitrina-kit shot [-C DIR] [--screen WxH] [--dpi N] [SCRIPT]\n");
            return 2;
        }
        std::string startFolder = FsPathString(std::filesystem::current_path());
        std::vector<std::string> lines = ReadScript(options.Script);
        TScreenConfig screen(options);

        if (ScriptUsesAccessibility(lines)) StartAccessibleRecorder();
        TShotSession session(std::move(lines), startFolder);
        TApplication application;
        std::filesystem::current_path(screen.Folder());
        application.Initialize();
        std::filesystem::current_path(NativePath(startFolder) / NativePath(options.Folder));
        application.UseManualClock();
        application.ErrorReport = [&](const std::string& text) { session.Errors.push_back(text); };
        SetShellRecorder([&](const TShellRequest& request) { session.Shell.push_back(request); });
        application.OnModalShown = [&](TForm& form) {
            // The window system places the window (maximised, say) before the script goes on.
            ProcessPendingInput();
            session.RunUntil([&] { return form.ModalResult() != mrNone || !form.Visible(); });
            // The script ended with the window still open: close it so the run can end.
            if (form.ModalResult() == mrNone) form.SetModalResult(mrCancel);
        };
        StartUnits();
        CreateWindows(application, [](const std::string& problem) {
            std::fprintf(stderr, "vitrina-kit shot: warning: the brand is damaged, the built-in look is shown: %s\n",
                         problem.c_str());
        });
        MainFr->Show();
        ProcessPendingInput();
        // The start timer fires from the message loop once the window has been painted.
        application.ManualClock()->Advance(1);
        ProcessPendingInput();
        session.RunUntil(nullptr);
        FinishUnits();
    } catch (const Exception& e) {
        std::fprintf(stderr, "vitrina-kit shot: %s\n", e.Message().c_str());
        return 1;
    } catch (const std::bad_alloc&) {
        throw; // reported by main, as for every command
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vitrina-kit shot: %s\n", e.what());
        return 1;
    }
    return 0;
}
