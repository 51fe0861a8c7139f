// The document read from a file in chunks: the same documents and the same messages as the
// reader over the whole file in memory, whatever the chunk size, with records straddling chunks.

#include "model/ByteReader.h"
#include "model/ByteWriter.h"
#include "model/DocumentFile.h"
#include "model/FileReader.h"
#include "model/ReadError.h"
#include "random_drawing.h"
#include "testing.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using plumex::testing::polyline;

// What reading gave: the error message, or the document written again with its version.
struct Outcome {
    std::string error;
    Bytes document;
    int version = 0;
    bool operator==(const Outcome&) const = default;
};

template <class Read> Outcome outcomeOf(Read read) {
    Outcome out;
    try {
        const plumex::DocumentContent doc = read();
        out.document = plumex::writeDocument(doc.lines, doc.settings);
        out.version = doc.version;
    } catch (const plumex::ReadError& e) {
        out.error = e.what();
    }
    return out;
}

class FileReaderTest : public ::testing::Test {
protected:
    fs::path file =
        fs::temp_directory_path() / ("plumex_file_reader_" + std::to_string(::getpid()) + ".plx");
    ~FileReaderTest() override { fs::remove(file); }

    void put(const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    Outcome fromFile(std::size_t chunk) {
        return outcomeOf([&] {
            plumex::FileReader in(file.string(), chunk);
            return plumex::readDocument(in);
        });
    }

    // The file read in chunks of every size given agrees with the bytes read in memory.
    void expectSameAsInMemory(const Bytes& bytes, std::initializer_list<std::size_t> chunks,
                              const std::string& what) {
        put(bytes);
        const Outcome expected = outcomeOf([&] { return plumex::readDocument(bytes); });
        for (std::size_t chunk : chunks)
            EXPECT_EQ(fromFile(chunk), expected) << what << ", chunk " << chunk;
    }
};

Bytes sampleFile() {
    std::vector<TCvLine> lines = {polyline({{0, 0}, {1, 0}, {1, 1}}, true), polyline({{2, 2}})};
    lines[0].name = "first";
    plumex::DocumentSettings s;
    s.verticalGuides = {1, 2};
    s.horizontalGuides = {-3};
    s.draft.fileName = "d.png";
    return plumex::writeDocument(lines, s);
}

} // namespace

TEST_F(FileReaderTest, RandomDrawingsReadTheSameInAnyChunkSize) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        const std::vector<TCvLine> lines = random.lines();
        const Bytes bytes = plumex::writeDocument(lines, random.settings());
        expectSameAsInMemory(bytes, {1, 3, 7, 50, 64, 4096}, "seed " + std::to_string(seed));
        ASSERT_EQ(fromFile(7).error, "");
        if (HasFailure()) break;
    }
}

TEST_F(FileReaderTest, TextsLongerThanAChunkAreReadWhole) {
    TCvLine line = polyline({{0, 0}, {1, 1}});
    line.name = std::string(200'000, 'n');
    plumex::DocumentSettings s;
    s.draft.fileName = std::string(70'000, 'd');
    const Bytes bytes = plumex::writeDocument({line, line}, s);
    put(bytes);
    plumex::FileReader in(file.string(), 5);
    const plumex::DocumentContent doc = plumex::readDocument(in);
    ASSERT_EQ(doc.lines.size(), 2u);
    EXPECT_EQ(doc.lines[1].name, line.name);
    EXPECT_EQ(doc.settings.draft.fileName, s.draft.fileName);
}

TEST_F(FileReaderTest, EveryTruncationFailsWithTheSameMessage) {
    const Bytes bytes = sampleFile();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        expectSameAsInMemory(cut, {1, 7, 64}, "cut at " + std::to_string(n));
        EXPECT_NE(fromFile(7).error, "") << n;
        if (HasFailure()) break;
    }
}

// Every byte replaced by values that make counts negative, huge, or just too large, and
// numbers not finite: the chunked reader refuses exactly what the reader in memory refuses.
TEST_F(FileReaderTest, DamagedBytesGiveTheSameResult) {
    const Bytes bytes = sampleFile();
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (std::uint8_t value : {0x00, 0x03, 0x7f, 0xff}) {
            Bytes damaged = bytes;
            damaged[at] = value;
            expectSameAsInMemory(damaged, {1, 6, 4096},
                                 "byte " + std::to_string(at) + " = " + std::to_string(value));
        }
        if (HasFailure()) break;
    }
}

TEST_F(FileReaderTest, CountsAreCheckedAgainstTheFileNotTheChunk) {
    const std::vector<TCvLine> lines(3, polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    Bytes bytes = plumex::writeDocument(lines, {});
    // Four anchors fit the file but not a chunk of 64 bytes: read, not refused.
    put(bytes);
    EXPECT_EQ(fromFile(64).error, "");
    // One anchor more than the rest of the file holds is refused before anything is read.
    const std::size_t anchorCount = 24 + 8;
    const std::size_t left = bytes.size() - (anchorCount + 4);
    plumex::storeInt32(bytes.data() + anchorCount, static_cast<std::int32_t>(left / 50 + 1));
    put(bytes);
    EXPECT_EQ(fromFile(64).error, "Invalid Data");
    plumex::storeInt32(bytes.data() + anchorCount, std::numeric_limits<std::int32_t>::max());
    put(bytes);
    EXPECT_EQ(fromFile(64).error, "Invalid Data");
}

TEST_F(FileReaderTest, AFileThatShrinksWhileReadIsCutShort) {
    const Bytes bytes =
        plumex::writeDocument(std::vector<TCvLine>(20, polyline({{0, 0}, {1, 1}})), {});
    put(bytes);
    plumex::FileReader in(file.string(), 100);
    fs::resize_file(file, bytes.size() / 2);
    try {
        plumex::readDocument(in);
        ADD_FAILURE() << "read past the end of the file";
    } catch (const plumex::ReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST_F(FileReaderTest, FileErrorsAndLimits) {
    EXPECT_EQ(outcomeOf([&] { return plumex::readDocumentFile(file.string()); }).error,
              "Cannot open \"" + file.string() + "\": No such file or directory");
    put(sampleFile());
    const Outcome tooLarge = outcomeOf([&] {
        plumex::FileReader in(file.string(), 64, 100);
        return plumex::readDocument(in);
    });
    EXPECT_EQ(tooLarge.error, "File too large: \"" + file.string() + "\"");
    // A device without end is read whole only up to the limit.
    const Outcome endless = outcomeOf([] {
        plumex::FileReader in("/dev/zero", 64, 1 << 16);
        return plumex::readDocument(in);
    });
    EXPECT_EQ(endless.error, "File too large: \"/dev/zero\"");
}

TEST_F(FileReaderTest, APipeIsReadWhole) {
    const Bytes bytes = sampleFile();
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(ends[1]);
    const Outcome piped = outcomeOf(
        [&] { return plumex::readDocumentFile("/proc/self/fd/" + std::to_string(ends[0])); });
    ::close(ends[0]);
    EXPECT_EQ(piped, outcomeOf([&] { return plumex::readDocument(bytes); }));
    EXPECT_EQ(piped.error, "");
}
