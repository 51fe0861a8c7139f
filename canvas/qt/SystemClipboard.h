#pragma once
// The system clipboard for paths: the private block under the program's own MIME type, and
// the same paths as plain text for text editors and scenes.

#include "canvas/CanvasHost.h"

namespace plumex {

inline constexpr const char* PathsMimeType = "application/x-plumex-paths";

void putOnSystemClipboard(const ClipboardContent& content);
ClipboardOffer systemClipboardOffer();

} // namespace plumex
