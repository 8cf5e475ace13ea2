#pragma once
// The example brand of a made-up disc publisher: the launcher's layout in the
// publisher's own colours and name, for `vitrina-kit pack --brand`.

#include <string>

namespace art {

// Writes head.bmp, body.bmp, noimage.bmp, icon.png, site.txt and skin/ into dir; the
// skin's description is ours (skinIni) under the publisher's name.
void WriteExampleBrand(const std::string& dir, const std::string& skinIni);

} // namespace art
