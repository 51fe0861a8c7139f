#pragma once
// Reading the document a subcommand works on.

#include "model/DocumentFile.h"

#include <string>

namespace plumex::cli {

struct LoadedDocument {
    int version = 0;
    DocumentContent content;
};

// Throws ReadError with the program's message when the file is refused.
LoadedDocument loadDocument(const std::string& fileName);

} // namespace plumex::cli
