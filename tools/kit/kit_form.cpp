// vitrina-kit form FILE.form [--png OUT] [--screen-png OUT] [--wait MS]
// Builds a window from a text form description and shows it, or writes a picture of
// it: --png paints the window off screen; --screen-png shows it on the display and
// takes a picture of the whole screen after MS milliseconds (default 500).

#include "kit_commands.h"
#include "kit_registration.h"

#include "platform/exceptions.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"
#include "toolkit/grab.h"
#include "toolkit/pixel_buffer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// vitrina-kit screen-png OUT [--wait MS]: a picture of the whole display after MS
// milliseconds (default 0), for looking at other programs' windows.
int RunScreenPngCommand(std::span<char*> args) {
    if (args.empty() || (args.size() != 1 && args.size() != 3) || (args.size() == 3 && std::string(args[1]) != "--wait")) {
        std::fprintf(stderr, "usage: vitrina-kit screen-png OUT [--wait MS]\n");
        return 2;
    }
    int argc = 1;
    char name[] = "vitrina-kit";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    QElapsedTimer clock;
    clock.start();
    int waitMs = args.size() == 3 ? std::atoi(args[2]) : 0;
    while (clock.elapsed() < waitMs) QGuiApplication::processEvents(QEventLoop::AllEvents, 20);
    QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!screen.save(QString::fromUtf8(args[0]), "PNG")) {
        std::fprintf(stderr, "vitrina-kit screen-png: cannot write %s\n", args[0]);
        return 1;
    }
    return 0;
}

int RunFormCommand(std::span<char*> args) {
    std::string file, png, screenPng;
    int waitMs = 500;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= args.size()) throw Exception(arg + " needs a value");
            return args[++i];
        };
        try {
            if (arg == "--png") png = next();
            else if (arg == "--screen-png") screenPng = next();
            else if (arg == "--wait") waitMs = std::atoi(next().c_str());
            else if (file.empty()) file = arg;
            else throw Exception("unexpected argument " + arg);
        } catch (const Exception& e) {
            std::fprintf(stderr, "vitrina-kit form: %s\n", e.Message().c_str());
            return 2;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: vitrina-kit form FILE.form [--png OUT] [--screen-png OUT] [--wait MS]\n");
        return 2;
    }
    TApplication application;
    application.Initialize();
    RegisterKitClasses();
    std::string error;
    application.ErrorReport = [&](const std::string& text) { error = text; };
    try {
        auto* form = new TForm(&application);
        ReadForm(*form, LoadFormText(file), THandlerTable());
        form->AfterConstruction();
        if (!png.empty()) {
            TPixelBuffer picture;
            GrabControl(*form, picture);
            if (!SavePng(picture, png)) throw Exception("Cannot write " + png);
            return 0;
        }
        form->Show();
        if (!screenPng.empty()) {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < waitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
            QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
            if (!screen.save(QString::fromStdString(screenPng), "PNG")) throw Exception("Cannot write " + screenPng);
            return 0;
        }
        application.Run();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", TApplication::ReportText(e.Message()).c_str());
        return 1;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
