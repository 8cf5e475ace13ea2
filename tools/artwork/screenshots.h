#pragma once
// Made-up screenshots of the demo disc's invented programs: a window of its own (or a
// full-screen game) with contents typical of its kind, different for every title.

#include "demo_disc.h"

#include <QImage>

namespace art {

QImage DrawScreenshot(const TDemoTitle& title);

} // namespace art
