#include "raster/JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

// After jpeglib.h, which it needs.
#include <jerror.h>

namespace plumex {
namespace {

// A progressive file can repeat scans without end; real ones use a dozen or so.
constexpr int MaxScans = 1000;
// The library's own working memory (progressive coefficients) beyond the picture itself.
constexpr long MaxLibraryMemory = 1L << 30;
// Huffman-coded data spends at least a bit on every 8 x 8 block of its full-resolution
// component (512 pixels a byte); twice that leaves room. Arithmetic coding has no such floor.
constexpr int64_t MaxPixelsPerByte = 1024;

struct ErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// The library takes a file cut short as a warning and fills the rest with grey; that picture
// is refused, as a cut PNG or BMP is. Other warnings (stray bytes before a marker, which some
// cameras write) keep the picture.
void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return; // trace output
    ++cinfo->err->num_warnings;
    if (cinfo->err->msg_code != JWRN_JPEG_EOF) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > MaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "Too many JPEG scans");
        std::longjmp(err->jump, 1);
    }
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    jpeg_progress_mgr progress{};
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

// Everything with a destructor lives in the caller; a longjmp only leaves libjpeg's C frames.
bool decode(std::span<const uint8_t> data, int64_t maxPixels, Decompressor& d, ErrorManager& err,
            RasterImage& image, std::vector<uint8_t>& row, std::string& refusal) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    d.progress.progress_monitor = onProgress;
    if (setjmp(err.jump)) return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &d.progress;
    cinfo.mem->max_memory_to_use = MaxLibraryMemory;
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        refusal = "CMYK JPEG Image is not supported";
        return true;
    }
    const int64_t w = cinfo.image_width, h = cinfo.image_height;
    if (w < 1 || h < 1 || w > MaxPictureSide || h > MaxPictureSide || w * h > maxPixels) {
        refusal = "Image too large (" + std::to_string(w) + " x " + std::to_string(h) + ")";
        return true;
    }
    // A few bytes claiming a huge picture would otherwise be decoded, all grey, in full.
    if (!cinfo.arith_code && w * h > MaxPixelsPerByte * int64_t(data.size())) {
        refusal =
            "JPEG data too short for " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        return true;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image.width = int(cinfo.output_width);
    image.height = int(cinfo.output_height);
    image.pixels.resize(size_t(image.width) * size_t(image.height));
    row.resize(size_t(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const size_t y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
        Color* out = &image.pixels[y * size_t(image.width)];
        for (size_t x = 0, i = 0; x < size_t(image.width); ++x, i += 3)
            out[x] = rgbColor(row[i], row[i + 1], row[i + 2]);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

RasterImage readJpeg(std::span<const uint8_t> data, int64_t maxPixels) {
    Decompressor d;
    ErrorManager err;
    RasterImage image;
    std::vector<uint8_t> row;
    std::string refusal;
    if (!decode(data, maxPixels, d, err, image, row, refusal))
        throw PictureError(std::string("JPEG: ") + err.message);
    if (!refusal.empty()) throw PictureError(refusal);
    return image;
}

} // namespace plumex
