// The include file made while the document is read against reading it first, then exporting.

#include "export/DocumentPovExport.h"
#include "export/PovExport.h"
#include "model/ByteWriter.h"
#include "model/FileBytes.h"
#include "model/ReadError.h"
#include "model/random_drawing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    const std::vector<std::uint8_t> bytes = readFileBytes(p.string());
    return {bytes.begin(), bytes.end()};
}

// Version 4: the settings first, then path records up to the end, without a count.
std::vector<std::uint8_t> version4(const std::vector<TCvLine>& lines, const DocumentSettings& s) {
    ByteWriter out;
    std::uint8_t magic[16] = {};
    std::memcpy(magic, "PlumexData", 10);
    out.writeBytes(magic, sizeof magic);
    out.writeInt32(4);
    out.writeText("");
    out.writeDouble(s.scale);
    out.writeCoord(s.viewCentre);
    for (const TCvLine& line : lines) line.Write(out, 4);
    return out.release();
}

// Cut short, a byte changed, or a path count that promises more than follows.
void damage(std::vector<std::uint8_t>& bytes, plumex::testing::RandomDrawing& rd) {
    switch (rd.integer(0, 5)) {
    case 0:
        bytes.resize(static_cast<std::size_t>(rd.integer(0, static_cast<int>(bytes.size()) - 1)));
        break;
    case 1:
        bytes[static_cast<std::size_t>(rd.integer(0, static_cast<int>(bytes.size()) - 1))] =
            static_cast<std::uint8_t>(rd.integer(0, 255));
        break;
    case 2:
        bytes[20] = static_cast<std::uint8_t>(bytes[20] + rd.integer(1, 3));
        break;
    default:
        break;
    }
}

PovRequest randomRequest(plumex::testing::RandomDrawing& rd) {
    const PovMode modes[] = {PovMode::Prism, PovMode::Array, PovMode::ConicPrism,
                             PovMode::SphereSweep, PovMode::Sor};
    PovRequest r;
    r.mode = modes[rd.integer(0, 4)];
    r.accuracy = rd.integer(0, 20);
    r.name = rd.coin() ? "#declare Shape" : "";
    r.sweep = "0,1";
    r.modifiers = r.mode == PovMode::Array ? "0" : " pigment {color rgb 1}\r\n";
    r.lineForm = static_cast<LineForm>(rd.integer(0, 2));
    r.divideCount = rd.integer(0, 4);
    r.spline = static_cast<SweepSpline>(rd.integer(0, 2));
    return r;
}

class DocumentPovExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plumex_docpov_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

// Random drawings, some damaged, some of the old version, some with chosen paths: the file is
// the one exported after reading, or the read fails with the same message and the previous
// include file is kept; a run that does not stream hands back the document it read.
TEST_F(DocumentPovExportTest, GivesTheTextOrTheErrorOfReadingFirst) {
    plumex::testing::RandomDrawing rd(33);
    const std::string plx = (dir / "in.plx").string(), inc = (dir / "out.inc").string();
    int written = 0, refused = 0;
    for (int round = 0; round < 160; ++round) {
        std::vector<TCvLine> lines(static_cast<std::size_t>(rd.integer(0, 40)));
        for (TCvLine& line : lines) line = rd.line(rd.integer(0, 4) == 0 ? 60 : 6);
        const DocumentSettings settings = rd.settings();
        const bool old = rd.integer(0, 5) == 0;
        std::vector<std::uint8_t> bytes =
            old ? version4(lines, settings) : writeDocument(lines, settings);
        if (rd.coin()) damage(bytes, rd);
        writeFileAtomically(plx, bytes);
        std::ofstream(inc, std::ios::binary) << "previous";
        std::optional<std::vector<std::size_t>> chosen;
        if (rd.coin()) {
            chosen.emplace();
            for (int i = 0; i < static_cast<int>(lines.size()) + 2; ++i)
                if (rd.integer(0, 2) == 0) chosen->push_back(static_cast<std::size_t>(i));
        }
        const PovRequest request = randomRequest(rd);
        const PovThreads threads{.threads = static_cast<unsigned>(rd.integer(1, 4)),
                                 .chunkBytes = std::size_t{64} << rd.integer(0, 8)};
        SCOPED_TRACE("round " + std::to_string(round));

        std::string readError;
        DocumentContent reference;
        try {
            reference = readDocument(bytes);
        } catch (const ReadError& e) {
            readError = e.what();
        }
        DocumentPovExport streamed;
        try {
            streamed = exportDocumentPov(plx, inc, request, chosen, threads);
        } catch (const ReadError& e) {
            EXPECT_EQ(e.what(), readError);
            EXPECT_EQ(slurp(inc), "previous");
            ++refused;
            continue;
        }
        ASSERT_EQ(readError, "") << "read, but the file is refused when read first";
        const auto keptContent = [&] {
            EXPECT_EQ(slurp(inc), "previous");
            EXPECT_EQ(writeDocument(streamed.content.lines, streamed.content.settings),
                      writeDocument(reference.lines, reference.settings));
        };
        const bool allThere = !chosen || chosen->empty() || chosen->back() < reference.lines.size();
        if (!allThere || reference.version == 4) {
            EXPECT_EQ(streamed.outcome, DocumentPovOutcome::NotStreamed);
            keptContent();
            continue;
        }
        std::vector<TCvLine> selection;
        for (std::size_t i = 0; i < reference.lines.size(); ++i)
            if (!chosen || std::binary_search(chosen->begin(), chosen->end(), i))
                selection.push_back(reference.lines[i]);
        const std::string text = PovExportText(selection, request, {.threads = 1});
        const bool someWithout =
            std::any_of(selection.begin(), selection.end(),
                        [&](const TCvLine& l) { return !PovHasText(l, request); });
        if (text.empty()) {
            EXPECT_EQ(streamed.outcome, DocumentPovOutcome::NothingToExport);
            EXPECT_EQ(slurp(inc), "previous");
        } else if (streamed.outcome == DocumentPovOutcome::NotStreamed) {
            EXPECT_TRUE(someWithout) << "every path gives text, yet the run was not streamed";
            keptContent();
        } else {
            ASSERT_EQ(streamed.outcome, DocumentPovOutcome::Written);
            EXPECT_EQ(slurp(inc), std::string(PovFileHeader) + text);
            ++written;
        }
    }
    // Both ways out are taken often enough to mean something.
    EXPECT_GT(written, 40);
    EXPECT_GT(refused, 20);
}

// A folder that cannot take the file: the write's reason, unless the document is refused.
TEST_F(DocumentPovExportTest, AFailedWriteKeepsTheReadErrorFirst) {
    plumex::testing::RandomDrawing rd(4);
    std::vector<TCvLine> lines(30);
    for (TCvLine& line : lines) line = rd.line(20);
    lines[0].points.resize(3);
    std::vector<std::uint8_t> bytes = writeDocument(lines, {});
    const std::string plx = (dir / "in.plx").string();
    const std::string nowhere = (dir / "missing" / "out.inc").string();
    writeFileAtomically(plx, bytes);
    const DocumentPovExport failed = exportDocumentPov(plx, nowhere, PovRequest{});
    EXPECT_EQ(failed.outcome, DocumentPovOutcome::WriteFailed);
    EXPECT_NE(failed.error, "");
    bytes.resize(bytes.size() - 1);
    writeFileAtomically(plx, bytes);
    EXPECT_THROW(exportDocumentPov(plx, nowhere, PovRequest{}), ReadError);
}

} // namespace
