// plumex-cli picture: decodes a tracing picture as the editor would and reports its size.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/FileBytes.h"
#include "raster/Fade.h"
#include "raster/PictureError.h"
#include "raster/PictureLoader.h"

#include <ostream>
#include <system_error>

namespace plumex::cli {

const char* const PictureHelp = R"(Usage: plumex-cli picture FILE [-o OUT.bmp] [--faded]

Decodes a BMP, JPEG or PNG picture (chosen by the file's extension) through the same loader
the editor uses for the draft picture and prints its size in pixels, or the reader's message
with exit code 1.

  -o OUT.bmp   also write the decoded picture as a 24-bit BMP (alpha is put over white)
  --faded      write it faded, as the draft looks with "Show Faded"
)";

namespace {

void appendLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A bottom-up 24-bit BMP with a Windows 3 header.
std::vector<uint8_t> bmp24(const RasterImage& image) {
    const size_t stride = (size_t(image.width) * 3 + 3) / 4 * 4;
    const size_t pixelBytes = stride * size_t(image.height);
    if (54 + pixelBytes > 0xFFFFFFFFu) throw Refused("Picture too large for a BMP file");
    std::vector<uint8_t> out = {'B', 'M'};
    out.reserve(54 + pixelBytes);
    appendLe(out, uint32_t(54 + pixelBytes), 4);
    appendLe(out, 0, 4);
    appendLe(out, 54, 4);
    appendLe(out, 40, 4);
    appendLe(out, uint32_t(image.width), 4);
    appendLe(out, uint32_t(image.height), 4);
    appendLe(out, 1, 2);
    appendLe(out, 24, 2);
    appendLe(out, 0, 4);
    appendLe(out, uint32_t(pixelBytes), 4);
    for (int i = 0; i < 4; ++i) appendLe(out, i < 2 ? 3780 : 0, 4); // 96 dpi, no palette
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Color c = image.at(x, y);
            out.insert(out.end(), {uint8_t(blueOf(c)), uint8_t(greenOf(c)), uint8_t(redOf(c))});
        }
        out.resize(out.size() + stride - size_t(image.width) * 3, 0);
    }
    return out;
}

} // namespace

int runPicture(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o"}, {"--faded"}});
    if (args.help) {
        out << PictureHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one picture file");
    RasterImage image;
    try {
        image = loadPicture(args.positional[0]);
    } catch (const PictureError& e) {
        throw Refused(e.what());
    }
    if (args.flags.count("--faded")) image = fadedCopy(image);
    out << image.width << " x " << image.height << "\n";
    if (args.values.count("-o")) {
        try {
            writeFileAtomically(args.values.at("-o"), bmp24(image));
        } catch (const std::system_error& e) {
            throw Refused("Cannot write " + args.values.at("-o") + ": " + e.code().message());
        }
    }
    return 0;
}

} // namespace plumex::cli
