#pragma once
// The export run: the text of every selected path, numbered names, the file form.

#include "export/PovOptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace plumex {

inline constexpr std::string_view PovFileHeader = "// Exported from Plumex\r\n\r\n";

// Left and right edge of the selection for the lathe: the exact bounds of the paths and the x
// of every anchor and handle that takes part in a segment. Paths without anchors add nothing.
LatheEdges latheEdges(const std::vector<TCvLine>& selection);

// The joined text of all paths, in order. With several paths each named object gets the name
// head followed by its number (from 1), zero-padded to the digit count of (count + 1). Paths
// that give no text are left out before numbering. Empty when there is nothing to export.
std::string PovExportText(const std::vector<TCvLine>& selection, const PovRequest& request);

// The run as the dialogs finish it: the request from the dialog state, the lathe edges taken
// from the selection first.
std::string PovExportText(const std::vector<TCvLine>& selection, PovMode mode,
                          const PovDlgState& dlg, const PovArrayDlgState& arrayDlg);

// Writes the file form (the header, then the text byte for byte) without ever losing the
// previous file. On failure answers false with the reason in `error`.
bool PovExportFile(const std::string& fileName, std::string_view text,
                   std::string* error = nullptr);

} // namespace plumex
