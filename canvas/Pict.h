#pragma once
// The draft: a background picture the user traces over, with the file it came from and its
// place in the drawing.

#include "model/Coord.h"
#include "model/Rect.h"
#include "raster/RasterImage.h"

#include <string>

namespace plumex {

// The picture as the canvas shows it: the upper-left corner in drawing units and the drawing
// units per picture pixel.
struct DraftPicture {
    RasterImage image;
    TCvCoord position;
    double factor = 1.0;
};

class TPict {
public:
    // Decodes the file (format by extension) and centres it on the origin, `width` drawing
    // units wide. On failure the draft stays as it was and *error gets the reader's message.
    bool Load(const std::string& path, double width, std::string* error = nullptr);
    // Shows an already decoded picture.
    void Set(DraftPicture picture, std::string fileName = {});
    // Moves and scales the picture; a factor that is not a positive finite number is ignored.
    void Place(TCvCoord position, double factor);
    void Clear();
    bool Present() const { return present_; }
    // (x, y, x + width x factor, y - height x factor); all zeros without a picture.
    TCvRect Bounds() const;
    const std::string& FileName() const { return fileName_; }
    const DraftPicture& Picture() const { return picture_; }
    // The faded look, made once when the picture arrives, so switching costs no new decode.
    const RasterImage& Faded() const { return faded_; }

private:
    std::string fileName_;
    DraftPicture picture_;
    RasterImage faded_;
    bool present_ = false;
};

} // namespace plumex
