#pragma once
// The export run: the text of every selected path, numbered names, the file form.

#include "export/ParallelPovText.h"
#include "export/PovOptions.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

inline constexpr std::string_view PovFileHeader = "// Exported from Plumex\r\n\r\n";

// Paths referred to without copying them, in drawing order.
using PathRefs = std::vector<const TCvLine*>;
PathRefs pathRefs(const std::vector<TCvLine>& paths);

// Left and right edge of the selection for the lathe: the exact bounds of the paths and the x
// of every anchor and handle that takes part in a segment. Paths without anchors add nothing.
LatheEdges latheEdges(const std::vector<TCvLine>& selection);
LatheEdges latheEdges(const PathRefs& selection);
// Whether the request of `mode` depends on the selection as a whole (the lathe's edges); the
// other forms' requests are the same for any selection.
bool PovRequestUsesSelection(PovMode mode);
// The edges only a lathe uses; nothing for the other forms, whose exact bounds of a large
// selection would cost more than formatting it.
LatheEdges latheEdgesFor(PovMode mode, const PathRefs& selection);
LatheEdges latheEdgesFor(PovMode mode, const std::vector<TCvLine>& selection);

// Whether any path of the selection gives text.
bool PovHasAnyText(const PathRefs& selection, const PovRequest& request);

// The joined text of all paths, in order. With several paths each named object gets the name
// head followed by its number (from 1), zero-padded to the digit count of (count + 1). Paths
// that give no text are left out before numbering. Empty when there is nothing to export.
// The text is the same however many threads make it.
std::string PovExportText(const std::vector<TCvLine>& selection, const PovRequest& request,
                          PovThreads threads = {});

// The run as the dialogs finish it: the request from the dialog state, the lathe edges taken
// from the selection first.
std::string PovExportText(const std::vector<TCvLine>& selection, PovMode mode,
                          const PovDlgState& dlg, const PovArrayDlgState& arrayDlg);

// The request the dialogs' state gives for `mode`, the lathe edges taken from the selection.
PovRequest PovExportRequest(const PathRefs& selection, PovMode mode, const PovDlgState& dlg,
                            const PovArrayDlgState& arrayDlg);

// The same text as PovExportText, handed to `out` in pieces of about 64 KiB as it is made, so
// that it never sits in memory whole.
void writePovExport(std::ostream& out, const PathRefs& selection, const PovRequest& request,
                    PovThreads threads = {});

// Writes the file form (the header, then the text byte for byte) without ever losing the
// previous file. On failure answers false with the reason in `error`.
bool PovExportFile(const std::string& fileName, std::string_view text,
                   std::string* error = nullptr);

// The file form streamed into the temporary file as the text is made. Answers false with
// "Nothing to export" when no path gives text; the file is not touched then.
bool PovExportFile(const std::string& fileName, const PathRefs& selection,
                   const PovRequest& request, std::string* error = nullptr);

} // namespace plumex
