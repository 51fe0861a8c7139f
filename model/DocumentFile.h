#pragma once
// The document file: its paths and the settings saved with them. Versions 4 and 5 are read,
// version 5 is written. Pure functions on bytes; TCvDocument applies them to a document.

#include "model/DocumentSettings.h"
#include "model/Path.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace plumex {

class ByteInput;

inline constexpr int CurrentDocumentVersion = 5;

struct DocumentContent {
    std::vector<TCvLine> lines; // nothing selected after reading
    DocumentSettings settings;
    int version = CurrentDocumentVersion; // of the file it was read from
};

// Parses a whole file. Throws ReadError with the message to show; hostile input can neither
// crash it nor make it allocate more than the bytes it was given can describe.
DocumentContent readDocument(std::span<const std::uint8_t> bytes);
DocumentContent readDocument(ByteInput& in);
// Reads the file in chunks, so only the drawing, not the file as well, is held in memory.
// Throws ReadError, also with the system's reason when the file cannot be read.
DocumentContent readDocumentFile(const std::string& fileName);

// Told of a version 5 file's paths while it is read: the path count first (already checked
// against the bytes left), then each path as soon as its record is read whole. A version 4
// file tells nothing, since its paths come without a count.
struct PathWatcher {
    std::function<void(std::size_t count)> counted;
    std::function<void(const TCvLine& line)> read;
};
// Reads into `doc` (which must be empty), for paths used before the rest of the file is read:
// a path handed out stays where it is in doc.lines, also when reading fails later and throws.
void readDocument(ByteInput& in, DocumentContent& doc, const PathWatcher& watcher);
void readDocumentFile(const std::string& fileName, DocumentContent& doc,
                      const PathWatcher& watcher);

// The version 5 file of `lines` and `settings`. Throws std::domain_error for content that
// readDocument would refuse (a number that is not finite, a scale or factor not above 0).
std::vector<std::uint8_t> writeDocument(const std::vector<TCvLine>& lines,
                                        const DocumentSettings& settings);
// The same for `count` paths handed out by `path`, for drawings held other than in a vector.
using PathAt = std::function<const TCvLine&(std::size_t)>;
std::vector<std::uint8_t> writeDocument(std::size_t count, const PathAt& path,
                                        const DocumentSettings& settings);

} // namespace plumex
