// plumex-cli picture: decodes a tracing picture as the editor would and reports its size.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/FileBytes.h"
#include "raster/BmpWriter.h"
#include "raster/Fade.h"
#include "raster/PictureError.h"
#include "raster/PictureLoader.h"

#include <ostream>
#include <span>
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

// The picture as a 24-bit bitmap file, written row by row into the temporary file.
void writeBmp24(const std::string& fileName, const RasterImage& image) {
    if (!bmpFileSize(image.width, image.height, BmpFormat::Rgb24))
        throw Refused("Picture too large for a BMP file");
    try {
        writeFileAtomically(fileName, [&](std::ostream& os) {
            StreamByteSink sink(os);
            BmpWriter writer(sink, image.width, image.height, BmpFormat::Rgb24);
            const std::size_t width = static_cast<std::size_t>(image.width);
            for (int y = image.height - 1; y >= 0; --y)
                writer.writeRow(std::span<const Color>(image.pixels)
                                    .subspan(static_cast<std::size_t>(y) * width, width));
        });
    } catch (const std::system_error& e) {
        throw Refused("Cannot write " + fileName + ": " + e.code().message());
    }
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
    if (args.values.count("-o")) writeBmp24(args.values.at("-o"), image);
    return 0;
}

} // namespace plumex::cli
