#pragma once
// The demo disc: a catalogue of invented programs in Russian, and for each a made-up
// screenshot and its thumbnail, drawn here.

#include <QImage>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

namespace art {

// How a title's thumbnail is stored.
enum class TThumb {
    Normal,    // "Resize of photo.jpg", fitted into 242 x 200
    Small,     // the same name, smaller than the frame
    Large,     // the same name, larger than the frame (the window shows its middle)
    UpperCase, // named "RESIZE OF PHOTO.JPG"
    Missing,   // no thumbnail; the screenshot is there
};

// What the made-up screenshot shows.
enum class TScene {
    Paint, PixelArt, Photo, Cad,
    Space, Maze, Board, Cards, Tiles, Racing, Underwater, Breakout,
    Table, Document, Code, Hex, Chart, Player, Waveform, Stars, Keyboard, Atlas, Calendar, Periodic,
};

struct TDemoTitle {
    QString Title;
    QString Folder;
    QString About;
    TScene Scene;
    int Variant = 0; // which of the scene's kinds
    TThumb Thumb = TThumb::Normal;
    int Seed = 0;        // distinct per title: colours, layout, contents
    QSize Shot{800, 600}; // the screenshot's size
    QString Category;
};

struct TDemoCategory {
    QString Name;
    std::vector<TDemoTitle> Titles;
};

// In the order the catalogue file lists them.
std::vector<TDemoCategory> DemoCatalogue();
// As the launcher shows them: categories and titles in catalogue order, ignoring case.
std::vector<TDemoCategory> SortedDemoCatalogue();

QImage DemoScreenshot(const TDemoTitle& title);
// Null for a title without a thumbnail.
QImage DemoThumbnail(const TDemoTitle& title);

// Writes dir/db/base.txt (code page 1251, CR LF) and dir/soft/<category>/<folder>/.
void WriteDemoDisc(const std::string& dir);

} // namespace art
