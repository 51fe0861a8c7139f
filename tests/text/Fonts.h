#pragma once
// Font files of the Debian packages scripts/install-deps installs.

#include <string>

namespace plumex::testing {

inline const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline const std::string DejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline const std::string DejaVuSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
// Cubic (CFF) outlines.
inline const std::string CantarellRegular =
    "/usr/share/fonts/opentype/cantarell/Cantarell-Regular.otf";

} // namespace plumex::testing
