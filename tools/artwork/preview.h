#pragma once
// PNG previews for the eye: every picture, enlarged where small, and the whole window
// put together the way the program cuts and tiles the skin.

#include <string>

namespace art {

void WritePreviews(const std::string& dir);

} // namespace art
