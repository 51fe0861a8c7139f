#pragma once
// The document file: its paths and the settings saved with them. Versions 4 and 5 are read,
// version 5 is written. Pure functions on bytes; TCvDocument applies them to a document.

#include "model/DocumentSettings.h"
#include "model/Path.h"

#include <cstdint>
#include <span>
#include <vector>

namespace plumex {

inline constexpr int CurrentDocumentVersion = 5;

struct DocumentContent {
    std::vector<TCvLine> lines; // nothing selected after reading
    DocumentSettings settings;
};

// Parses a whole file. Throws ReadError with the message to show; hostile input can neither
// crash it nor make it allocate more than the bytes it was given can describe.
DocumentContent readDocument(std::span<const std::uint8_t> bytes);

// The version 5 file of `lines` and `settings`. Throws std::domain_error for content that
// readDocument would refuse (a number that is not finite, a scale or factor not above 0).
std::vector<std::uint8_t> writeDocument(const std::vector<TCvLine>& lines,
                                        const DocumentSettings& settings);

} // namespace plumex
