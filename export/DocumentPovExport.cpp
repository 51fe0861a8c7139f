#include "export/DocumentPovExport.h"

#include "export/PovExport.h"
#include "export/PovPipeline.h"
#include "model/FileBytes.h"

#include <ostream>
#include <system_error>
#include <thread>

namespace plumex {
namespace {

// Thrown inside the file write to end it without replacing the target.
struct Abandon {};

// What the reading thread finds; it writes these only before it closes the pipeline, and the
// formatting and writing side reads them only after the pipeline told it so.
struct ReadSide {
    std::vector<const TCvLine*> exported; // sized once: the pieces point into it
    std::size_t expected = 0;             // paths chosen, as the file counts them
    std::size_t index = 0;                // paths read
    std::size_t next = 0;                 // next entry of the chosen indices
    std::size_t made = 0;                 // paths that give text
    bool counted = false;
    bool streamable = true;
    std::exception_ptr error;
};

void run(DocumentPovExport& result, const std::string& documentName, const std::string& fileName,
         const PovRequest& request, const std::optional<std::vector<std::size_t>>& chosen,
         PovThreads threads) {
    // Declared so that the reading thread ends first, then the workers, and only then may what
    // they read go: the paths in result.content and the list of them in `side`.
    ReadSide side;
    PovPipeline pipeline(request, povWorkers(threads));
    PovPieceCutter cutter(request, threads.chunkBytes,
                          [&](const PovPiece& piece) { pipeline.add(piece); });
    const PathWatcher watcher{
        .counted =
            [&](std::size_t count) {
                side.counted = true;
                side.streamable = !chosen || chosen->empty() || chosen->back() < count;
                side.expected = chosen ? chosen->size() : count;
                side.exported.resize(side.streamable ? side.expected : 0);
            },
        .read =
            [&](const TCvLine& line) {
                const std::size_t i = side.index++;
                if (!side.streamable) return;
                if (chosen) {
                    if (side.next >= chosen->size() || (*chosen)[side.next] != i) return;
                    ++side.next;
                }
                if (!PovHasText(line, request)) return;
                side.exported[side.made] = &line;
                cutter.add(side.exported.data(), side.made++, side.expected);
            }};
    std::jthread reader([&] {
        try {
            readDocumentFile(documentName, result.content, watcher);
            cutter.finish();
            pipeline.close();
        } catch (...) {
            side.error = std::current_exception();
            pipeline.close(side.error);
        }
    });
    try {
        writeFileAtomically(fileName, [&](std::ostream& out) {
            out << PovFileHeader;
            std::string buffer;
            pipeline.deliver(streamingPovSink(out, buffer));
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            if (!side.counted || !side.streamable) throw Abandon{};
            if (side.made == 0) {
                result.outcome = DocumentPovOutcome::NothingToExport;
                throw Abandon{};
            }
            if (!sameNumbering(request, side.expected, side.made)) throw Abandon{};
            result.outcome = DocumentPovOutcome::Written;
        });
    } catch (const Abandon&) {
    } catch (const std::system_error& e) {
        // A document that cannot be read says so first, as when it was read before writing.
        reader.join();
        if (side.error) std::rethrow_exception(side.error);
        result.outcome = DocumentPovOutcome::WriteFailed;
        result.error = e.what();
    }
}

} // namespace

DocumentPovExport exportDocumentPov(const std::string& documentName, const std::string& fileName,
                                    const PovRequest& request,
                                    const std::optional<std::vector<std::size_t>>& chosen,
                                    PovThreads threads) {
    DocumentPovExport result;
    run(result, documentName, fileName, request, chosen, threads);
    return result;
}

} // namespace plumex
