#pragma once
// The include file of a document file's paths, formatted while the document is still being
// read: each path goes to the formatting threads as soon as its record has been read and
// checked, so the load no longer comes before all of the work.

#include "export/ParallelPovText.h"
#include "model/DocumentFile.h"

#include <optional>
#include <string>
#include <vector>

namespace plumex {

enum class DocumentPovOutcome {
    Written,
    NothingToExport, // no chosen path gives text; the include file is not touched
    WriteFailed,     // `error` says why; the previous include file is kept
    // The document was read, but its text could not be made on the way: a version 4 file (its
    // paths come without a count), a chosen index the document lacks, or paths without text
    // that change how the names are numbered. The include file is not touched; the caller
    // exports `content` as usual.
    NotStreamed,
};

struct DocumentPovExport {
    DocumentPovOutcome outcome = DocumentPovOutcome::NotStreamed;
    std::string error;
    DocumentContent content; // the document as read
};

// Exports the paths at `chosen` (ascending, without repeats; every path when absent) of the
// document `documentName` to `fileName` with its header line, written through a temporary
// file. `request` must not depend on the selection (see PovRequestUsesSelection). A document
// that cannot be read throws the ReadError readDocumentFile throws, the include file untouched.
DocumentPovExport exportDocumentPov(const std::string& documentName, const std::string& fileName,
                                    const PovRequest& request,
                                    const std::optional<std::vector<std::size_t>>& chosen = {},
                                    PovThreads threads = {});

} // namespace plumex
