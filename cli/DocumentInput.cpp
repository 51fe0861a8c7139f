#include "cli/DocumentInput.h"

#include "model/FileBytes.h"

#include <cstring>

namespace plumex::cli {

LoadedDocument loadDocument(const std::string& fileName) {
    const std::vector<std::uint8_t> bytes = readFileBytes(fileName);
    LoadedDocument doc;
    doc.content = readDocument(bytes);
    // The reader has checked the 16-byte magic and the version that follows it.
    std::int32_t version = 0;
    std::memcpy(&version, bytes.data() + 16, sizeof version);
    doc.version = version;
    return doc;
}

} // namespace plumex::cli
