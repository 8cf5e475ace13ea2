#include "shot_runner.h"

#include "pictures/jpeg_samples.h"
#include "platform/cp1251.h"
#include "support/process_runner.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TTestDisc::TTestDisc() {
    std::random_device seed;
    FRoot = fs::temp_directory_path() / ("vitrina-disc-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    fs::create_directories(FRoot / "db");
}

TTestDisc::~TTestDisc() {
    std::error_code ignored;
    fs::remove_all(FRoot, ignored);
}

void TTestDisc::SetCatalogue(const std::vector<std::string>& utf8Lines) {
    std::ofstream out(FRoot / "db" / "base.txt", std::ios::binary);
    for (const std::string& line : utf8Lines) out << Utf8ToCp1251(line) << "\r\n";
}

void TTestDisc::AddJpeg(const std::string& category, const std::string& folder, const std::string& name, int width,
                        int height) {
    // Made by the library the launcher decodes with, as the disc's own pictures are.
    TJpegSample sample;
    sample.Width = width;
    sample.Height = height;
    sample.Pixel = [height](int x, int y, std::uint8_t rgb[3]) {
        const bool dot = y == height / 2 && x % 8 == 0;
        rgb[0] = dot ? 250 : 40;
        rgb[1] = dot ? 250 : 120;
        rgb[2] = dot ? 250 : 60;
    };
    AddFile("soft/" + category + "/" + folder + "/" + name, MakeJpeg(sample));
}

void TTestDisc::AddFile(const std::string& relativeUtf8Path, const std::string& bytes) {
    fs::path path = FRoot / fs::u8path(relativeUtf8Path);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void TTestDisc::AddFolder(const std::string& relativeUtf8Path) { fs::create_directories(FRoot / fs::u8path(relativeUtf8Path)); }

void TTestDisc::RemoveCatalogue() { fs::remove(FRoot / "db" / "base.txt"); }

void TTestDisc::RemoveDbFolder() { fs::remove_all(FRoot / "db"); }

TShotRun RunShot(const TTestDisc& disc, const std::string& script, const std::string& options) {
    fs::path scriptFile = disc.Root() / "script.shot";
    std::ofstream(scriptFile) << script;
    std::vector<std::string> arguments = {"shot", "-C", disc.Root().string()};
    for (std::string& option : ShellWords(options)) arguments.push_back(std::move(option));
    arguments.push_back(scriptFile.string());
    TProcessRun kit = RunProgram(VITRINA_KIT, arguments);
    TShotRun run;
    run.Status = kit.Status;
    run.Err = std::move(kit.Err);
    const std::string& out = kit.Out;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error;
        QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        run.Lines.push_back(document);
        if (document.isObject()) run.States.push_back(document.object());
    }
    return run;
}

QJsonObject Control(const QJsonObject& state, const char* name) { return state["controls"].toObject()[name].toObject(); }

TClientPoint ListItemPoint(const QJsonObject& state, const char* listName, int index) {
    QJsonObject list = Control(state, listName);
    int top = list["top"].toInt() + 100 - 20 * list["topIndex"].toInt();
    return {list["left"].toInt() + 40, top + 1 + 20 * index + 10};
}

TClientPoint PanelControlCentre(const QJsonObject& state, const char* name) {
    QJsonObject control = Control(state, name);
    return {control["left"].toInt() + control["width"].toInt() / 2,
            100 + control["top"].toInt() + control["height"].toInt() / 2};
}

std::vector<std::string> Items(const QJsonObject& state, const char* listName) {
    std::vector<std::string> items;
    for (const QJsonValue& item : Control(state, listName)["items"].toArray()) items.push_back(Utf8(item));
    return items;
}

std::string Utf8(const QJsonValue& value) { return value.toString().toStdString(); }
