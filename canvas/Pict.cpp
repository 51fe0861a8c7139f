#include "canvas/Pict.h"

#include "raster/Fade.h"
#include "raster/PictureError.h"
#include "raster/PictureLoader.h"

#include <cmath>

namespace plumex {

bool TPict::Load(const std::string& path, double width, std::string* error) {
    // A width of zero or less would make a picture without extent that no view can fit.
    if (!(width > 0) || !std::isfinite(width)) {
        if (error) *error = "Invalid picture width";
        return false;
    }
    RasterImage image;
    try {
        image = loadPicture(path);
    } catch (const PictureError& e) {
        if (error) *error = e.what();
        return false;
    }
    const double factor = width / image.width;
    const TCvCoord position{-(image.width * factor) / 2, (image.height * factor) / 2};
    Set({std::move(image), position, factor}, path);
    return true;
}

void TPict::Set(DraftPicture picture, std::string fileName) {
    faded_ = fadedCopy(picture.image);
    picture_ = std::move(picture);
    fileName_ = std::move(fileName);
    present_ = true;
}

void TPict::Place(TCvCoord position, double factor) {
    if (!std::isfinite(position.x) || !std::isfinite(position.y)) return;
    if (!(factor > 0) || !std::isfinite(factor)) return;
    picture_.position = position;
    picture_.factor = factor;
}

void TPict::Clear() {
    *this = TPict();
}

TCvRect TPict::Bounds() const {
    if (!present_) return {};
    const TCvCoord p = picture_.position;
    return {p.x, p.y, p.x + picture_.image.width * picture_.factor,
            p.y - picture_.image.height * picture_.factor};
}

} // namespace plumex
