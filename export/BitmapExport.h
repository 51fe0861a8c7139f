#pragma once
// The bitmap export of a whole drawing: every path, whatever its state, in black on white,
// greyscale from 8 x 8 samples per pixel or monochrome from one, streamed to the file in
// bands so that any size a bitmap file can hold renders in O(width) memory.

#include "model/Path.h"
#include "model/Rect.h"
#include "raster/BmpWriter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plumex {

enum class BitmapMode { GreyScale = 0, Monochrome = 1 };

struct BitmapSize {
    std::int64_t width = 0, height = 0;
    friend bool operator==(const BitmapSize&, const BitmapSize&) = default;
};

// W = trunc((right - left) * scale + 2 * margin), H likewise from top and bottom; nothing when
// a side is not a number within the 64-bit range.
std::optional<BitmapSize> bitmapOutputSize(const TCvRect& bounds, double scale, int margin);

// The dialog's file size estimate: W * H + 1078 in greyscale, H * 2 * ceil(W / 16) + 62 in
// monochrome (rows counted in 16-bit words).
double bitmapSizeEstimate(BitmapSize size, BitmapMode mode);

struct BitmapRequest {
    TCvRect bounds; // the content bounds (see contentBounds)
    double scale = 100.0;
    int margin = 10;
    BitmapMode mode = BitmapMode::GreyScale;
};

// Rows done and rows in all; answers false to cancel.
using BitmapProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

enum class BitmapResult { Written, Cancelled, TooLarge, Failed };

struct BitmapOutcome {
    BitmapResult result = BitmapResult::Failed;
    std::string error; // the system's reason when Failed
};

// Renders the bitmap file's bytes into `sink`. TooLarge (nothing written) when a bitmap file
// cannot hold the size, its rows do not fit in memory, or the scale is not positive or the
// margin negative; Cancelled when `progress` said so.
BitmapOutcome renderBitmap(ByteSink& sink, const std::vector<TCvLine>& lines,
                           const BitmapRequest& request, const BitmapProgress& progress = {});

// The file through a temporary file and a rename: anything but Written leaves the previous
// file as it was. An empty file name is Failed with no reason.
BitmapOutcome ExportBitmap(const std::string& fileName, const std::vector<TCvLine>& lines,
                           const BitmapRequest& request, const BitmapProgress& progress = {});

} // namespace plumex
