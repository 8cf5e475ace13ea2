#pragma once
// The launcher window's own bitmaps: banner, body, chrome buttons, link logo, marker
// tile, no-image panel, and the program icon. The body's frames are drawn around the
// places the window puts its lists, thumbnail and description, so those places are
// written down here once.

#include <QImage>
#include <QRect>

namespace art {

namespace place {
// Body coordinates (the body starts at row 100 of the window).
inline const QRect CategoryList{26, 83, 191, 386};
inline const QRect TitleList{250, 75, 257, 394};
inline const QRect Thumbnail{534, 71, 242, 200};
inline const QRect NoImage{533, 57, 243, 214};
inline const QRect AboutBox{532, 341, 230, 121};
inline const QRect AboutBar{763, 341, 16, 127};
inline const QPoint TitleMarker{489, 56};
inline const QPoint AboutMarker{762, 321};
inline const QPoint CategoryMarker{199, 64};
// Window coordinates of the banner's boxes.
inline const QRect LinkPanel{19, 4, 109, 28};
inline const QRect MinClosePanel{763, 2, 37, 27}; // the part inside the window
inline const int MiniOffset = -56;                 // the minimise image's left in that panel
inline const int CloseLeft = 18, CloseTop = -1;    // the close image's place in that panel
} // namespace place

QImage DrawMarker();   // 18 x 20
QImage DrawClose();    // 19 x 31
QImage DrawMinimise(); // 75 x 27
QImage DrawLink();     // 110 x 32
QImage DrawBanner();   // 800 x 100
QImage DrawBody();     // 800 x 500
// 243 x 214: the body's pixels under it with the no-image panel where the thumbnail goes.
QImage DrawNoImage(const QImage& body);
// The program's icon, size × size pixels; 32 is the one the program shows.
QImage DrawIcon(int size = 32);

// What the minimise and close images show together inside their panel (37 x 27).
QImage ComposeMinClose(const QImage& minimise, const QImage& close);

} // namespace art
