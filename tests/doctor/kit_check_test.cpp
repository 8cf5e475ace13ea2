// vitrina-kit check, run as a disc author runs it on discs with known faults.

#include "pictures/jpeg_samples.h"
#include "platform/cp1251.h"
#include "support/kit_runner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using TFound = std::tuple<int, std::string, std::string>; // line, severity, code

class KitCheck : public ::testing::Test {
protected:
    // Lines given in UTF-8, written in code page 1251 with CR LF after each; "<98>"
    // stands for the byte the code page has no character for.
    void Catalogue(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += Utf8ToCp1251(line) + "\r\n";
        for (std::size_t at; (at = text.find("<98>")) != std::string::npos;)
            text.replace(at, 4, "\x98");
        Disc.Write("db/base.txt", text);
    }
    void Pictures(const std::string& folder, int thumbnailWidth = 200, int thumbnailHeight = 150) {
        if (thumbnailWidth) Jpeg(folder + "/Resize of photo.jpg", thumbnailWidth, thumbnailHeight);
        Jpeg(folder + "/photo.jpg", 64, 48);
    }
    void Jpeg(const std::string& path, int width, int height) {
        TJpegSample sample;
        sample.Width = width;
        sample.Height = height;
        sample.Pixel = [](int x, int y, std::uint8_t rgb[3]) {
            rgb[0] = rgb[1] = rgb[2] = std::uint8_t(x ^ y);
        };
        Disc.Write(path, MakeJpeg(sample));
    }
    TKitRun Check(const std::string& options = "--json") {
        return RunKit("check '" + Disc.Path() + "' " + options);
    }
    static QJsonObject Json(const TKitRun& run) {
        QJsonParseError error;
        QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.Out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.Out;
        return document.object();
    }
    static std::vector<TFound> Found(const QJsonObject& report) {
        std::vector<TFound> found;
        for (const QJsonValue& problem : report["problems"].toArray()) {
            QJsonObject p = problem.toObject();
            found.emplace_back(p["line"].toInt(), p["severity"].toString().toStdString(),
                               p["code"].toString().toStdString());
        }
        return found;
    }
    static QJsonObject ProblemOn(const QJsonObject& report, int line, const char* code) {
        for (const QJsonValue& problem : report["problems"].toArray())
            if (problem["line"].toInt() == line && problem["code"].toString() == code)
                return problem.toObject();
        ADD_FAILURE() << "no " << code << " on line " << line;
        return {};
    }

    TScratchFolder Disc;
    TScratchFolder Scratch;
};

// Every file of the disc with its size and modification time.
std::vector<std::tuple<std::string, std::uintmax_t, std::filesystem::file_time_type>> Snapshot(const std::string& root) {
    std::vector<std::tuple<std::string, std::uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Utf8Path(root)))
        files.emplace_back(Utf8Of(entry.path()), entry.is_regular_file() ? entry.file_size() : 0,
                           entry.last_write_time());
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(KitCheck, FindsEveryProblemOnItsLineAmongCleanTitles) {
#ifdef _WIN32
    GTEST_SKIP() << "the disc needs the folder \" игры \", and Windows drops the spaces a name ends in; "
                    "scripts/test-windows-programs holds the Windows kit's report against Linux's";
#endif
    Catalogue({
        "Игры@Тетрис@tetris@@@Падающие фигуры",    // 1, clean; its category has a stray folder
        "Игры@Нет папки@nowhere@@@Папки нет",      // 2
        "Игры@Змейка@snake@@@Ползёт\rвперёд",      // 3 and 4: a lone CR breaks the editor's line
        "Игры@Битая@broken@@@Эскиз испорчен",      // 5
        "Игры@Без эскиза@nothumb@@@Только снимок", // 6
        "Игры@Без снимка@noshot@@@Только эскиз",   // 7
        "Игры@Большой@big@@@Эскиз велик",          // 8
        "",                                        // 9
        "Игры@Коротко",                            // 10
        " игры @Близнец@twin@@@Категория с пробелами",                               // 11
        "Игры@Тетрис@tetris2@@@Второй раз",                                          // 12
        "Игры@Очень длинное название, которое не помещается в список@long@@@Длинно", // 13
        "Игры@Том и Джерри@tom@@@Tom & Jerry",                                       // 14
        "Игры@Знак@sign@@@a<98>z",                                                   // 15
        "Игры@Обрезка@cut@@@Текст\x1a"
        "хвост",                                      // 16
        "Игры@Пустой снимок@emptyshot@@@Снимок пуст", // 17
        "Игры@Пикник@picnic@@@Чай && кофе",           // 18, clean
        "\x1a",                                       // 19
        "Игры@Потеряно@lost@@@x",                     // 20, ignored
        "Игры@Тоже@lost2@@@y",                        // 21, ignored
    });
    for (const char* folder :
         {"tetris", "snake", "tetris2", "long", "tom", "sign", "cut", "picnic"})
        Pictures(std::string("soft/Игры/") + folder);
    Pictures("soft/ игры /twin");
    Disc.Write("soft/Игры/broken/Resize of photo.jpg", "not a picture");
    Jpeg("soft/Игры/broken/photo.jpg", 64, 48);
    Jpeg("soft/Игры/nothumb/photo.jpg", 64, 48);
    Jpeg("soft/Игры/noshot/Resize of photo.jpg", 64, 48);
    Pictures("soft/Игры/big", 300, 250);
    Jpeg("soft/Игры/emptyshot/Resize of photo.jpg", 64, 48);
    Disc.Write("soft/Игры/emptyshot/photo.jpg", "");
    Disc.MakeFolder("soft/Игры/stray");
    auto before = Snapshot(Disc.Path());

    TKitRun run = Check();
    EXPECT_EQ(run.Status, 1) << run.Err;
    QJsonObject report = Json(run);
    EXPECT_THAT(
        Found(report),
        ElementsAre(TFound{1, "warning", "unused-folder"}, TFound{2, "error", "missing-folder"},
                    TFound{5, "error", "bad-picture"}, TFound{6, "warning", "missing-thumbnail"},
                    TFound{7, "warning", "missing-screenshot"},
                    TFound{8, "warning", "thumbnail-cut"}, TFound{9, "warning", "blank-line"},
                    TFound{10, "warning", "few-fields"}, TFound{11, "warning", "twin-category"},
                    TFound{12, "warning", "duplicate-title"}, TFound{13, "warning", "title-cut"},
                    TFound{14, "warning", "ampersand"}, TFound{15, "warning", "unmappable"},
                    TFound{16, "warning", "ctrl-z"}, TFound{17, "error", "bad-picture"},
                    TFound{19, "warning", "ctrl-z"}));
    EXPECT_EQ(report["titles"].toInt(), 17); // lines 1 to 18, two of them joined by the lone CR
    EXPECT_EQ(report["categories"].toInt(), 3);
    EXPECT_EQ(report["errors"].toInt(), 3);
    EXPECT_EQ(report["warnings"].toInt(), 13);

    // What each problem concerns and says, where the details matter to the author.
    QJsonObject cut = ProblemOn(report, 8, "thumbnail-cut");
    EXPECT_EQ(cut["category"].toString().toStdString(), "Игры");
    EXPECT_EQ(cut["title"].toString().toStdString(), "Большой");
    EXPECT_THAT(cut["message"].toString().toStdString(), HasSubstr("300x250"));
    EXPECT_THAT(ProblemOn(report, 17, "bad-picture")["message"].toString().toStdString(),
                HasSubstr("JPEG error #42."));
    EXPECT_THAT(ProblemOn(report, 12, "duplicate-title")["message"].toString().toStdString(),
                HasSubstr("line 1"));
    EXPECT_THAT(ProblemOn(report, 19, "ctrl-z")["message"].toString().toStdString(),
                HasSubstr("2 lines"));
    EXPECT_THAT(ProblemOn(report, 1, "unused-folder")["message"].toString().toStdString(),
                HasSubstr("stray"));
    EXPECT_EQ(ProblemOn(report, 11, "twin-category")["category"].toString().toStdString(),
              " игры ");

    EXPECT_EQ(Snapshot(Disc.Path()), before); // nothing written
}

TEST_F(KitCheck, PrintsLikeACompilerWithASummary) {
    Catalogue({"Игры@Тетрис@tetris@@@Фигуры", "Игры@Змейка@snake@@@Ползёт"});
    Pictures("soft/Игры/tetris");
    Jpeg("soft/Игры/snake/photo.jpg", 64, 48);
    TKitRun run = Check("");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(
        run.Out,
        "base.txt:2: warning: no \"Resize of photo.jpg\" in soft\\Игры\\snake: the no-image panel "
        "shows and the screenshot cannot be opened [missing-thumbnail]\n"
        "0 errors, 1 warning, 2 titles in 1 category\n");
    EXPECT_EQ(run.Err, "");

    Pictures("soft/Игры/snake");
    run = Check("--json");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(
        run.Out,
        "{\"titles\": 2, \"categories\": 1, \"errors\": 0, \"warnings\": 0, \"problems\": []}\n");
}

TEST_F(KitCheck, EncodingsTheLauncherMisreads) {
    // UTF-8 without the mark: the first line with a letter outside ASCII is where the
    // author sees garbage first.
    Disc.Write("db/base.txt", "Games@Tetris@t@@@x\r\nИгры@Тетрис@t@@@y\r\n");
    Pictures("soft/Games/t");
    TKitRun run = Check();
    EXPECT_EQ(run.Status, 1);
    EXPECT_THAT(Found(Json(run)), ::testing::Contains(TFound{2, "error", "encoding"}));

    // With the mark it reads as meant; only what code page 1251 lacks is reported.
    Disc.Write("db/base.txt", "\xEF\xBB\xBFИгры@Тетрис@t@@@y\r\nИгры@Café 😀@c@@@z\r\n");
    Pictures("soft/Игры/t");
    Pictures("soft/Игры/c");
    run = Check();
    EXPECT_EQ(run.Status, 0) << run.Out;
    QJsonObject report = Json(run);
    EXPECT_THAT(Found(report), ElementsAre(TFound{2, "warning", "unmappable"}));
    EXPECT_THAT(ProblemOn(report, 2, "unmappable")["message"].toString().toStdString(),
                HasSubstr("U+00E9, U+1F600"));
    EXPECT_EQ(ProblemOn(report, 2, "unmappable")["title"].toString().toStdString(), "Caf? ?");

    Disc.Write("db/base.txt", std::string("\xFF\xFEI\0g\0", 6));
    EXPECT_THAT(Found(Json(Check())), ::testing::Contains(TFound{1, "error", "encoding"}));
}

TEST_F(KitCheck, AnUnreadableCatalogueGivesTheLaunchersErrorAndABadCommandLineTwo) {
    TKitRun run = Check();
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "Invalid filename.\n");
    Disc.MakeFolder("db/base.txt");
    EXPECT_EQ(Check("").Err, "File access denied.\n");
    EXPECT_EQ(RunKit("check '" + Disc.Path() + "/nowhere'").Err, "Invalid filename.\n");
    EXPECT_EQ(RunKit("check --bogus").Status, 2);
    EXPECT_EQ(RunKit("check a b").Status, 2);
}

TEST(KitCheckDemo, TheDemoDiscHasNoErrors) {
    TScratchFolder scratch;
    TKitRun run = RunKit(std::string("check --json '") + VITRINA_SOURCE_DIR +
                                      "/examples/demo-disc'");
    EXPECT_EQ(run.Status, 0) << run.Out << run.Err;
    QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).object();
    EXPECT_EQ(report["errors"].toInt(), 0);
    EXPECT_GT(report["titles"].toInt(), 50);
}

} // namespace

// File permissions and another user to run as are Linux's: the Windows build leaves this out.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A category's folder that cannot be listed says so, rather than that nothing is unused.
TEST_F(KitCheck, AnUnreadableCategoryFolderIsReportedWithItsReason) {
    Catalogue({"Игры@Тетрис@tetris@@@", "Прочее@Змейка@snake@@@"});
    Pictures("soft/Игры/tetris");
    Pictures("soft/Прочее/snake");
    Disc.MakeFolder("soft/Прочее/stray");
    std::string games = Disc / "soft/Игры";
    ASSERT_EQ(::chmod(games.c_str(), 0311), 0); // entered, never listed
    // Permissions bind root only through another user.
    std::string user = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    for (const std::string& folder : {Disc.Path(), Scratch.Path()}) ::chmod(folder.c_str(), 0777);
    std::string command = "LC_ALL=C.UTF-8 timeout -k 5 120 " + user + "'" + VITRINA_KIT + "' check '" + Disc.Path() +
                          "' --json >'" + (Scratch / "out") + "' 2>'" + (Scratch / "err") + "'";
    int status = std::system(command.c_str());
    ::chmod(games.c_str(), 0755);
    TKitRun run{WEXITSTATUS(status), ReadWholeFile(Scratch / "out"), ReadWholeFile(Scratch / "err")};
    QJsonObject report = Json(run);
    QJsonObject unreadable = ProblemOn(report, 1, "unreadable-folder");
    EXPECT_EQ(unreadable["severity"].toString(), "warning");
    EXPECT_EQ(unreadable["category"].toString().toStdString(), "Игры");
    EXPECT_THAT(unreadable["message"].toString().toStdString(),
                AllOf(HasSubstr("soft\\Игры\\ cannot be read"), HasSubstr("Permission denied")));
    // The other category is still looked through.
    EXPECT_THAT(ProblemOn(report, 2, "unused-folder")["message"].toString().toStdString(), HasSubstr("stray"));
}
#endif
