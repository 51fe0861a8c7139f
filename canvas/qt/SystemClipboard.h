#pragma once
// The system clipboard for paths: the private block under the program's own format names, the
// same paths as an SVG document for drawing programs, and as plain text for text editors and
// scenes. Only MIME data moves here; the forms are made and read by the path clipboard.

#include "canvas/CanvasHost.h"

#include <QMimeData>

#include <memory>

namespace plumex {

// The private block goes under both names: the registered one, which other programs that
// exchange paths with us know, and the MIME type earlier builds of ours offer and read.
inline constexpr const char* PathsFormat = "Ostrel.PlumexData";
inline constexpr const char* PathsMimeType = "application/x-plumex-paths";
inline constexpr const char* SvgMimeType = "image/svg+xml";

std::unique_ptr<QMimeData> mimeDataOf(const ClipboardContent& content);
ClipboardOffer offerOf(const QMimeData& data);

void putOnSystemClipboard(const ClipboardContent& content);
ClipboardOffer systemClipboardOffer();

} // namespace plumex
