#include "cli/DocumentInput.h"

namespace plumex::cli {

LoadedDocument loadDocument(const std::string& fileName) {
    LoadedDocument doc;
    doc.content = readDocumentFile(fileName);
    doc.version = doc.content.version;
    return doc;
}

} // namespace plumex::cli
