// A disc publisher's brand: checked whole by brand-check and pack --brand, stored in the
// bundle on the disc, and shown by the launcher the packed bundle runs.

#include "disc/disc_support.h"
#include "support/kit_runner.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Every pixel says where it is and which picture it belongs to.
QImage CodedPicture(int width, int height, int tag) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, tag));
    return image;
}

void SaveBmp(const QImage& image, const std::string& file) {
    fs::create_directories(fs::path(file).parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(file), "BMP")) << file;
}

// Our skin with every colour of its control parts turned over.
void WriteInvertedSkin(const std::string& folder) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(std::string(VITRINA_SOURCE_DIR) + "/resources/skin"))
        fs::copy_file(entry.path(), folder + "/" + entry.path().filename().string());
    QImage controls(QString::fromStdString(folder + "/controls.bmp"));
    controls = controls.convertToFormat(QImage::Format_RGB32);
    controls.invertPixels();
    SaveBmp(controls, folder + "/controls.bmp");
}

void WriteGoodBrand(const std::string& brand) {
    SaveBmp(CodedPicture(800, 100, 0x11), brand + "/head.bmp");
    SaveBmp(CodedPicture(800, 500, 0x22), brand + "/body.bmp");
    SaveBmp(CodedPicture(243, 214, 0x33), brand + "/noimage.bmp");
    SaveBmp(CodedPicture(110, 32, 0x55), brand + "/link.bmp");
    CodedPicture(64, 64, 0x44).save(QString::fromStdString(brand + "/icon.png"));
    std::ofstream(brand + "/site.txt") << "https://publisher.example/disc?from=vitrina\n";
    WriteInvertedSkin(brand + "/skin");
}

class Brand : public ::testing::Test {
protected:
    TShellRun Kit(const std::string& args) { return RunShell(scratch, Quoted(bundle.Kit()) + " " + args); }

    // A disc whose only title has no thumbnail, so the no-image picture shows.
    std::string MakeDisc() {
        scratch.Write("disc/db/base.txt", "Games@Tetris@tetris@@@Blocks\r\n");
        scratch.MakeFolder("disc/soft/Games/tetris");
        return scratch / "disc";
    }

    // A screenshot of the launcher run by `kit` on `disc`, after a click on the site link.
    TShellRun Shot(const std::string& kit, const std::string& disc, const std::string& png) {
        std::ofstream(scratch / "script") << "shot " << png << "\nclick 60 15\nstate\n";
        return RunShell(scratch, "cd " + Quoted(scratch.Path()) + " && XDG_RUNTIME_DIR=" + Quoted(scratch.Path()) +
                                     " timeout -k 5 120 " + Quoted(kit) + " shot -C " + Quoted(disc) + " script");
    }

    TTestBundle bundle{TTestBundle::WithOffscreenPlugin};
    TScratchFolder scratch;
};

TEST_F(Brand, AGoodBrandIsAcceptedWhole) {
    WriteGoodBrand(scratch / "brand");
    TShellRun run = Kit("brand-check " + Quoted(scratch / "brand"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("body.picture, head.picture, icon.png, link.picture, noimage.picture, site.txt, "
                           "skin.ini, skin.pictures"),
              std::string::npos)
        << run.Out;
    scratch.MakeFolder("empty");
    EXPECT_EQ(Kit("brand-check " + Quoted(scratch / "empty")).Status, 0) << "every part is optional";
}

TEST_F(Brand, EveryProblemIsReportedAtOnce) {
    std::string brand = scratch / "brand";
    SaveBmp(CodedPicture(640, 100, 1), brand + "/head.bmp");
    std::string body;
    {
        SaveBmp(CodedPicture(800, 500, 2), brand + "/body.bmp");
        body = ReadWholeFile(brand + "/body.bmp");
    }
    std::ofstream(brand + "/body.bmp", std::ios::binary | std::ios::trunc) << body.substr(0, 2000);
    CodedPicture(300, 300, 3).save(QString::fromStdString(brand + "/icon.png"));
    std::ofstream(brand + "/site.txt") << "javascript:alert(1)\n";
    std::ofstream(brand + "/readme.txt") << "notes";
    scratch.MakeFolder("brand/link.bmp");
    WriteInvertedSkin(brand + "/skin");
    std::ofstream ini(brand + "/skin/skin.ini", std::ios::trunc);
    ini << "[VERSION]\nskinname=No form info\n[PICTURES]\npicture=main.bmp\n";
    ini.close();
    TShellRun run = Kit("brand-check " + Quoted(brand));
    EXPECT_EQ(run.Status, 1);
    for (const char* says : {"7 problems", "link.bmp: cannot be read", "readme.txt: not part of a brand",
                             "head.bmp: 640x100, must be 800x100",
                             "body.bmp: ", "icon.png: 300x300, must be square and at most 256x256",
                             "site.txt: 'javascript:alert(1)' is not a well-formed", "skin/skin.ini: the skin lacks"})
        EXPECT_NE(run.Err.find(says), std::string::npos) << says << "\n" << run.Err;
}

TEST_F(Brand, OnlyWellFormedWebAndMailAddressesAreTaken) {
    std::string brand = scratch.MakeFolder("brand");
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "/bare/path", "publisher.example",
                                "ftp://publisher.example/", "http://", "https:publisher.example", "mailto:",
                                "mailto:nobody", "http://exa mple.org/", "https://a.example/\nhttps://b.example/"}) {
        std::ofstream(brand + "/site.txt", std::ios::trunc) << address;
        EXPECT_EQ(Kit("brand-check " + Quoted(brand)).Status, 1) << address;
    }
    for (const char* address : {"http://publisher.example", "https://publisher.example/a/b?c=d#e",
                                "HTTPS://Publisher.Example/", "mailto:discs@publisher.example"}) {
        std::ofstream(brand + "/site.txt", std::ios::trunc) << address << "\r\n";
        EXPECT_EQ(Kit("brand-check " + Quoted(brand)).Status, 0) << address;
    }
}

TEST_F(Brand, PackRefusesABadBrandBeforeWritingAnything) {
    SaveBmp(CodedPicture(800, 99, 1), scratch / "brand/head.bmp");
    SaveBmp(CodedPicture(109, 32, 1), scratch / "brand/link.bmp");
    TShellRun run = Kit("pack " + Quoted(MakeDisc()) + " " + Quoted(scratch / "out") + " --iso " +
                        Quoted(scratch / "d.iso") + " --brand " + Quoted(scratch / "brand"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("head.bmp: 800x99, must be 800x100"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("link.bmp: 109x32, must be 110x32"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(scratch / "out"));
    EXPECT_FALSE(fs::exists(scratch / "d.iso"));
}

TEST_F(Brand, ThePackedLauncherShowsTheBrandsPicturesSkinAndSite) {
    WriteGoodBrand(scratch / "brand");
    std::string disc = MakeDisc();
    TShellRun packed = Kit("pack " + Quoted(disc) + " " + Quoted(scratch / "out") + " --brand " +
                           Quoted(scratch / "brand"));
    ASSERT_EQ(packed.Status, 0) << packed.Err;
    // The brand lives in the bundle, never among the disc's own files.
    TTree out = ReadTree(scratch / "out");
    for (const auto& [path, file] : ReadTree(disc)) EXPECT_EQ(out.at(path), file) << path;
    for (const auto& [path, file] : out)
        EXPECT_TRUE(ReadTree(disc).count(path) || path == "autorun.sh" || path == "autorun.inf" || path.starts_with(".vitrina")) << path;
    // On both systems.
    EXPECT_TRUE(out.count(".vitrina/share/vitrina/brand/head.picture"));
    EXPECT_EQ(out.at(".vitrina/windows/share/vitrina/brand/head.picture"), out.at(".vitrina/share/vitrina/brand/head.picture"));

    TShellRun branded = Shot(scratch / "out/.vitrina/bin/vitrina-kit", scratch / "out", "branded.png");
    ASSERT_EQ(branded.Status, 0) << branded.Err;
    EXPECT_EQ(branded.Err, "");
    TShellRun plain = Shot(bundle.Kit(), scratch / "out", "plain.png");
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_NE(branded.Out.find("\"file\": \"https://publisher.example/disc?from=vitrina\""), std::string::npos)
        << branded.Out;
    EXPECT_NE(plain.Out.find("\"file\": \"vitrina.example.org\""), std::string::npos) << plain.Out;

    QImage shot(QString::fromStdString(scratch / "branded.png"));
    QImage before(QString::fromStdString(scratch / "plain.png"));
    ASSERT_EQ(shot.size(), QSize(800, 600));
    // The banner below the chrome, the body left of the lists and under them, the
    // no-image picture in the thumbnail's place: pixel for pixel the brand's.
    auto expectPicture = [&](const char* what, QRect area, QPoint origin, int tag) {
        for (int y = area.top(); y <= area.bottom(); y += 3)
            for (int x = area.left(); x <= area.right(); x += 7) {
                QPoint at = QPoint(x, y) - origin;
                ASSERT_EQ(QColor(shot.pixel(x, y)), QColor(at.x() % 256, at.y() % 256, tag)) << what << " " << x << "," << y;
            }
    };
    expectPicture("banner", QRect(0, 35, 800, 65), QPoint(0, 0), 0x11);
    expectPicture("body", QRect(0, 100, 24, 500), QPoint(0, 100), 0x22);
    expectPicture("body", QRect(0, 572, 800, 28), QPoint(0, 100), 0x22);
    expectPicture("no image", QRect(533, 157, 243, 214), QPoint(533, 157), 0x33);
    expectPicture("link", QRect(19, 4, 109, 28), QPoint(19, 4), 0x55);
    // The list frames come from the skin's control picture, its colours turned over.
    for (QPoint at : {QPoint(26, 183), QPoint(216, 183), QPoint(26, 568), QPoint(250, 175)}) {
        QRgb plainPixel = before.pixel(at);
        EXPECT_EQ(QColor(shot.pixel(at)), QColor(255 - qRed(plainPixel), 255 - qGreen(plainPixel), 255 - qBlue(plainPixel)))
            << at.x() << "," << at.y();
    }
}

// A brand with a site and no link picture keeps our link with its host on it, so our
// address never stands on a link that opens theirs.
TEST_F(Brand, ASiteWithoutALinkPictureShowsItsHostOnOurLink) {
    std::string disc = MakeDisc();
    TShellRun built = Shot(VITRINA_KIT, disc, "built-in.png");
    ASSERT_EQ(built.Status, 0) << built.Err;
    std::ofstream(scratch.MakeFolder("brand") + "/site.txt") << "https://www.publisher.example/disc\n";
    TShellRun packed = Kit("pack " + Quoted(disc) + " " + Quoted(scratch / "out") + " --brand " +
                           Quoted(scratch / "brand"));
    ASSERT_EQ(packed.Status, 0) << packed.Err;
    TShellRun branded = Shot(scratch / "out/.vitrina/bin/vitrina-kit", scratch / "out", "branded.png");
    ASSERT_EQ(branded.Status, 0) << branded.Err;
    QImage shot(QString::fromStdString(scratch / "branded.png"));
    QImage ours(QString::fromStdString(scratch / "built-in.png"));
    int changed = 0;
    for (int y = 4; y < 32; ++y)
        for (int x = 19; x < 128; ++x) {
            bool text = x >= 19 + 24 && x < 19 + 108 && y >= 5 && y < 31;
            if (!text)
                ASSERT_EQ(shot.pixel(x, y), ours.pixel(x, y)) << "the emblem and outline stay: " << x << "," << y;
            else
                changed += shot.pixel(x, y) != ours.pixel(x, y);
        }
    EXPECT_GT(changed, 100);
    EXPECT_EQ(shot.copy(0, 40, 800, 560), ours.copy(0, 40, 800, 560));
}

// Without a brand the look is byte for byte the built-in one; a brand damaged after
// packing gives the built-in look too, with a warning from the kit only.
TEST_F(Brand, NoBrandOrADamagedOneShowsTheBuiltInLook) {
    std::string disc = MakeDisc();
    TShellRun built = Shot(VITRINA_KIT, disc, "built-in.png");
    ASSERT_EQ(built.Status, 0) << built.Err;
    TShellRun bundled = Shot(bundle.Kit(), disc, "bundled.png");
    ASSERT_EQ(bundled.Status, 0) << bundled.Err;
    EXPECT_EQ(bundled.Err, "");
    EXPECT_EQ(ReadWholeFile(scratch / "bundled.png"), ReadWholeFile(scratch / "built-in.png"));

    WriteGoodBrand(scratch / "brand");
    ASSERT_EQ(Kit("pack " + Quoted(disc) + " " + Quoted(scratch / "out") + " --brand " + Quoted(scratch / "brand")).Status, 0);
    std::string brand = scratch / "out/.vitrina/share/vitrina/brand";
    std::string kit = scratch / "out/.vitrina/bin/vitrina-kit";
    struct TDamage {
        const char* File;
        std::string Bytes;
    } damages[] = {{"head.picture", ReadWholeFile(brand + "/head.picture").substr(0, 300)},
                   {"skin.pictures", ReadWholeFile(brand + "/skin.pictures").substr(0, 5000)},
                   {"link.picture", ReadWholeFile(brand + "/link.picture").substr(0, 300)},
                   {"skin.ini", "[VERSION]\nskinname=cut\n"},
                   {"site.txt", "file:///etc/passwd\n"},
                   {"icon.png", "not a picture"}};
    for (const TDamage& damage : damages) {
        std::string file = brand + "/" + damage.File;
        std::string good = ReadWholeFile(file);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << damage.Bytes;
        TShellRun damaged = Shot(kit, disc, "damaged.png");
        EXPECT_EQ(damaged.Status, 0) << damaged.Err;
        EXPECT_NE(damaged.Err.find("warning: the brand is damaged"), std::string::npos) << damage.File;
        EXPECT_NE(damaged.Err.find(damage.File), std::string::npos) << damaged.Err;
        EXPECT_EQ(ReadWholeFile(scratch / "damaged.png"), ReadWholeFile(scratch / "built-in.png")) << damage.File;
        EXPECT_NE(damaged.Out.find("\"file\": \"vitrina.example.org\""), std::string::npos) << damage.File;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << good;
    }
    // A pipe or a device in the brand's place is not waited on or read.
    for (const char* name : {"head.picture", "skin.ini", "site.txt", "icon.png"}) {
        std::string file = brand + "/" + name;
        std::string good = ReadWholeFile(file);
        for (bool pipe : {true, false}) {
            fs::remove(file);
            if (pipe)
                ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
            else
                fs::create_symlink("/dev/zero", file);
            TShellRun damaged = Shot(kit, disc, "damaged.png");
            EXPECT_EQ(damaged.Status, 0) << name << damaged.Err;
            EXPECT_EQ(ReadWholeFile(scratch / "damaged.png"), ReadWholeFile(scratch / "built-in.png")) << name;
        }
        fs::remove(file);
        std::ofstream(file, std::ios::binary) << good;
    }
}

} // namespace
