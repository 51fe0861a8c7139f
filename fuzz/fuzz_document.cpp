// Document reader fuzzer: any input either fails with a ReadError or reads a document that
// writes back and reads again to the same bytes; read from a file in small chunks, it gives the
// same document or the same message, and so does the reader that hands out each path as it is
// read, whose paths stay where it handed them out, also when the input fails later.

#include "model/DocumentFile.h"
#include "model/FileReader.h"
#include "model/ReadError.h"

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// The document written again, or the message that refused it.
template <class Read> std::string outcome(Read read) {
    try {
        const plumex::DocumentContent doc = read();
        const auto bytes = plumex::writeDocument(doc.lines, doc.settings);
        return std::to_string(doc.version) + std::string(bytes.begin(), bytes.end());
    } catch (const plumex::ReadError& e) {
        return std::string("error: ") + e.what();
    }
}

// The input as a file, read in chunks of 7 bytes so that records straddle them.
std::string outcomeFromFile(const std::uint8_t* data, std::size_t size) {
    const int fd = ::memfd_create("document", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
    const std::string name = "/proc/self/fd/" + std::to_string(fd);
    std::string result = outcome([&] {
        plumex::FileReader in(name, 7);
        return plumex::readDocument(in);
    });
    ::lseek(fd, 0, SEEK_SET);
    std::vector<const TCvLine*> watched;
    std::size_t counted = 0;
    plumex::DocumentContent doc;
    const plumex::PathWatcher watcher{.counted = [&](std::size_t n) { counted = n; },
                                      .read = [&](const TCvLine& l) { watched.push_back(&l); }};
    const auto inPlace = [&] {
        if (watched.size() > doc.lines.size()) std::abort();
        for (std::size_t i = 0; i < watched.size(); ++i)
            if (watched[i] != &doc.lines[i]) std::abort();
    };
    bool read = false;
    const std::string watchedResult = outcome([&] {
        plumex::FileReader in(name, 7);
        plumex::readDocument(in, doc, watcher);
        if (doc.version == 5 ? counted != doc.lines.size() || watched.size() != counted
                             : !watched.empty())
            std::abort();
        inPlace();
        read = true;
        return std::move(doc);
    });
    if (!read) inPlace();
    if (watchedResult != result) std::abort();
    ::close(fd);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (outcome([&] { return plumex::readDocument({data, size}); }) != outcomeFromFile(data, size))
        std::abort();
    plumex::DocumentContent doc;
    try {
        doc = plumex::readDocument({data, size});
    } catch (const plumex::ReadError&) {
        return 0;
    }
    const auto written = plumex::writeDocument(doc.lines, doc.settings);
    const plumex::DocumentContent again = plumex::readDocument(written);
    if (plumex::writeDocument(again.lines, again.settings) != written) std::abort();
    return 0;
}
