// Document reader fuzzer: any input either fails with a ReadError or reads a document that
// writes back and reads again to the same bytes.

#include "model/DocumentFile.h"
#include "model/ReadError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
