#include "raster/PictureLoader.h"

#include "raster/BmpReader.h"
#include "raster/JpegReader.h"
#include "raster/PictureError.h"
#include "raster/PngReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <vector>

namespace plumex {
namespace {

// No picture within the pixel bound needs a larger file; a device or pipe stops here too.
constexpr size_t MaxPictureFileBytes = size_t{1} << 30;

std::vector<uint8_t> readPictureFile(const std::string& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) throw PictureError("Cannot open " + path);
    std::vector<uint8_t> data;
    uint8_t buf[65536];
    for (;;) {
        const size_t n = std::fread(buf, 1, sizeof buf, f.get());
        if (n == 0) break;
        if (data.size() + n > MaxPictureFileBytes) throw PictureError("Picture file too large");
        data.insert(data.end(), buf, buf + n);
    }
    if (std::ferror(f.get())) throw PictureError("Cannot read " + path);
    return data;
}

} // namespace

PictureFormat pictureFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return PictureFormat::Unknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == "bmp") return PictureFormat::Bmp;
    if (ext == "jpeg" || ext == "jpg" || ext == "jpe") return PictureFormat::Jpeg;
    if (ext == "png") return PictureFormat::Png;
    return PictureFormat::Unknown;
}

RasterImage decodePicture(PictureFormat format, std::span<const uint8_t> data) {
    switch (format) {
    case PictureFormat::Bmp:
        return readBmp(data);
    case PictureFormat::Jpeg:
        return readJpeg(data);
    case PictureFormat::Png:
        return readPng(data);
    case PictureFormat::Unknown:
        break;
    }
    throw PictureError("Unknown picture format");
}

RasterImage loadPicture(const std::string& path) {
    const PictureFormat format = pictureFormatOf(path);
    if (format == PictureFormat::Unknown) throw PictureError("Unknown picture format");
    return decodePicture(format, readPictureFile(path));
}

} // namespace plumex
