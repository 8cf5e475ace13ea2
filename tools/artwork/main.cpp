// vitrina-artwork: draws the program's bitmaps, its skin pictures, its icon and the
// demo disc. Its output is committed; the build never runs it.
//
//   vitrina-artwork [--resources DIR] [--demo-disc DIR] [--brand DIR] [--preview DIR]

#include "bitmap_files.h"
#include "brand_art.h"
#include "demo_disc.h"
#include "launcher_art.h"
#include "preview.h"
#include "skin_art.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: vitrina-artwork [--resources DIR] [--demo-disc DIR] [--brand DIR] [--preview DIR]\n"
                 "  --resources DIR   write the launcher's bitmaps, the skin pictures and the icon\n"
                 "                    under DIR (bitmaps/, skin/, icons/, vitrina.ico, vitrina.png)\n"
                 "  --demo-disc DIR   write the demo disc (db/base.txt and soft/) into DIR\n"
                 "  --brand DIR       write the example brand of a disc publisher into DIR (its skin\n"
                 "                    description comes from resources/skin/skin.ini)\n"
                 "  --preview DIR     write PNG previews, the whole window among them, into DIR\n");
    return 2;
}

void WriteResources(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    fs::create_directories(dir / "bitmaps");
    fs::create_directories(dir / "skin");
    const auto at = [&](const char* rel) { return (dir / rel).string(); };

    const QImage body = art::DrawBody();
    art::Write24(at("bitmaps/head.bmp"), art::DrawBanner());
    art::Write24(at("bitmaps/body.bmp"), body);
    art::Write24(at("bitmaps/marker.bmp"), art::DrawMarker());
    art::Write24(at("bitmaps/noimage.bmp"), art::DrawNoImage(body));
    art::Write24(at("bitmaps/close.bmp"), art::DrawClose());
    art::Write24(at("bitmaps/minimize.bmp"), art::DrawMinimise());
    art::Write24(at("bitmaps/link.bmp"), art::DrawLink());

    const art::TIndexedImage icon = art::Quantise(art::DrawIcon(), 16);
    art::WriteIcon(at("vitrina.ico"), icon);
    art::Expand(icon).save(QString::fromStdString(at("vitrina.png")));
    // The icon theme's sizes for desktops; 32 is the program's own.
    fs::create_directories(dir / "icons");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image = size == 32 ? art::Expand(icon) : art::DrawIcon(size);
        image.save(QString::fromStdString(at(("icons/vitrina-" + std::to_string(size) + ".png").c_str())));
    }

    art::WriteSkinPictures((dir / "skin").string());
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::string resources, disc, brand, preview;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--resources") && hasValue) resources = argv[++i];
        else if (!std::strcmp(argv[i], "--demo-disc") && hasValue) disc = argv[++i];
        else if (!std::strcmp(argv[i], "--preview") && hasValue) preview = argv[++i];
        else if (!std::strcmp(argv[i], "--brand") && hasValue) brand = argv[++i];
        else return Usage();
    }
    if (resources.empty() && disc.empty() && brand.empty() && preview.empty()) return Usage();

    try {
        if (!resources.empty()) WriteResources(resources);
        if (!disc.empty()) art::WriteDemoDisc(disc);
        if (!brand.empty())
            art::WriteExampleBrand(brand, (resources.empty() ? std::string("resources") : resources) + "/skin/skin.ini");
        if (!preview.empty()) art::WritePreviews(preview);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vitrina-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
