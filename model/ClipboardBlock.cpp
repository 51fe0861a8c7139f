#include "model/ClipboardBlock.h"

#include "model/ByteReader.h"
#include "model/ByteWriter.h"
#include "model/ModelMessages.h"
#include "model/ReadError.h"

#include <limits>
#include <stdexcept>

namespace plumex {

namespace {

constexpr int BlockVersion = 5;
constexpr std::size_t SizeField = 4;

} // namespace

std::vector<std::uint8_t> WriteClipboardBlock(const std::vector<TCvLine>& paths) {
    ByteWriter out;
    out.writeInt32(0); // the total, filled in below
    for (const TCvLine& line : paths) line.Write(out, BlockVersion);
    std::vector<std::uint8_t> bytes = out.release();
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("The copied paths are too large for the clipboard");
    storeInt32(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return bytes;
}

std::vector<TCvLine> ReadClipboardBlock(std::span<const std::uint8_t> block) {
    if (block.size() < SizeField) throw ReadError(InvalidData);
    const std::int32_t total = loadInt32(block.data());
    // The records end at the total: a clipboard may hand back a block rounded up past it, and
    // what follows is padding. A total beyond the bytes means some are missing.
    if (total < static_cast<std::int32_t>(SizeField) ||
        static_cast<std::size_t>(total) > block.size())
        throw ReadError(InvalidData);
    ByteReader in(block.subspan(SizeField, static_cast<std::size_t>(total) - SizeField));
    std::vector<TCvLine> paths;
    try {
        while (!in.atEnd()) {
            TCvLine line;
            line.Read(in, BlockVersion);
            if (!line.points.empty()) paths.push_back(std::move(line));
        }
    } catch (const ReadError&) {
        // A record cut short is as damaged as a bad count.
        throw ReadError(InvalidData);
    }
    return paths;
}

} // namespace plumex
