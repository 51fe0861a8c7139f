// The .plx reader and writer: layout, versions, damaged input and round trips.

#include "model/ByteWriter.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "model/Identical.h"
#include "model/ModelMessages.h"
#include "model/ReadError.h"
#include "random_drawing.h"
#include "testing.h"

#include <cstring>
#include <limits>

using plumex::DocumentContent;
using plumex::DocumentSettings;
using plumex::readDocument;
using plumex::writeDocument;
using plumex::testing::polyline;
using Bytes = std::vector<std::uint8_t>;

namespace {

// The start of a file: magic and version.
plumex::ByteWriter header(int version, const char* magic = "PlumexData") {
    plumex::ByteWriter out;
    std::uint8_t m[16] = {};
    std::memcpy(m, magic, std::strlen(magic));
    out.writeBytes(m, 16);
    out.writeInt32(version);
    return out;
}

// The message of the ReadError that reading `bytes` raises ("" when it does not fail).
std::string readFailure(const Bytes& bytes) {
    try {
        readDocument(bytes);
    } catch (const plumex::ReadError& e) {
        return e.what();
    }
    return "";
}

void expectIdentical(const std::vector<TCvLine>& a, const std::vector<TCvLine>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(plumex::identical(a[i], b[i])) << i;
}

std::vector<TCvLine> deselected(std::vector<TCvLine> lines) {
    for (TCvLine& l : lines) l.SelectAll(false);
    return lines;
}

} // namespace

TEST(DocumentFile, EmptyDocumentIsSixtyBytesAndPathRecordIs112) {
    const Bytes empty = writeDocument({}, DocumentSettings{});
    EXPECT_EQ(empty.size(), 60u);
    EXPECT_EQ(std::string(empty.begin(), empty.begin() + 10), "PlumexData");

    plumex::ByteWriter out;
    polyline({{0, 0}, {1, 1}}).Write(out, 5);
    EXPECT_EQ(out.bytes().size(), 112u);
    // Flags: visible only, as a little-endian int32 after the empty name.
    EXPECT_EQ(out.bytes()[4], 8);
}

TEST(DocumentFile, EmptyDraftNameWritesNoPositionOrFactor) {
    DocumentSettings s;
    s.draft.position = {5, 5};
    EXPECT_EQ(writeDocument({}, s).size(), 60u);
    s.draft.fileName = "a.png";
    EXPECT_EQ(writeDocument({}, s).size(), 60u + 5 + 24);
}

TEST(DocumentFile, ReadsVersion4) {
    TCvLine line = polyline({{1, 2}, {3, 4}}, true);
    line.name = "ring";
    line.locked = 1;
    line.SelectAll(true);
    plumex::ByteWriter out = header(4);
    out.writeText("C:\\draft.bmp");
    out.writeCoord({-1, 7});
    out.writeDouble(0.5);
    out.writeDouble(250); // scale
    out.writeCoord({10, 20});
    line.Write(out, 4);
    line.Write(out, 4);

    const DocumentContent doc = readDocument(out.bytes());
    ASSERT_EQ(doc.lines.size(), 2u);
    EXPECT_EQ(doc.lines[1], deselected({line})[0]);
    EXPECT_FALSE(doc.lines[0].selected);
    EXPECT_FALSE(doc.lines[0].points[0].selected);
    EXPECT_EQ(doc.settings.scale, 250);
    EXPECT_EQ(doc.settings.viewCentre, (TCvCoord{10, 20}));
    EXPECT_EQ(doc.settings.draft.fileName, "C:\\draft.bmp");
    EXPECT_EQ(doc.settings.draft.position, (TCvCoord{-1, 7}));
    EXPECT_EQ(doc.settings.draft.factor, 0.5);
    EXPECT_TRUE(doc.settings.verticalGuides.empty());
}

TEST(DocumentFile, Version4WithoutPathsIsAnEmptyDrawing) {
    plumex::ByteWriter out = header(4);
    out.writeText("");
    out.writeDouble(100);
    out.writeCoord({0, 0});
    EXPECT_TRUE(readDocument(out.bytes()).lines.empty());
    // A record cut short at the end is a read error, not a silently shorter drawing.
    out.writeInt32(0);
    EXPECT_EQ(readFailure(out.bytes()), "Stream read error");
}

TEST(DocumentFile, MagicAndVersionMessages) {
    EXPECT_EQ(readFailure(header(5, "PlumexDatum").bytes()), "Not a Plumex File");
    EXPECT_EQ(readFailure(header(5, "Plumex").bytes()), "Not a Plumex File");
    EXPECT_EQ(readFailure(Bytes{'P', 'l'}), "Not a Plumex File");
    EXPECT_EQ(readFailure({}), "Not a Plumex File");
    EXPECT_EQ(readFailure(header(3).bytes()),
              "Old Data Version.\r\nUse Plumex of version 0.4 or Older.");
    EXPECT_EQ(readFailure(header(6).bytes()),
              "New Data Version.\r\nUse Current Version of Plumex.");

    // Bytes after the first zero within the magic are ignored.
    Bytes file = writeDocument({}, DocumentSettings{});
    file[11] = 'x';
    file[15] = 0xff;
    EXPECT_EQ(readFailure(file), "");
}

TEST(DocumentFile, MessagesGoThroughTheLanguageLookup) {
    plumex::setMessageLookup([](int number, std::string_view) {
        return number == 6 ? std::string("Zu alt, bis %V") : std::string("?");
    });
    const std::string translated = readFailure(header(2).bytes());
    plumex::setMessageLookup(nullptr);
    EXPECT_EQ(translated, "Zu alt, bis 0.4");
    EXPECT_EQ(readFailure(header(2).bytes()),
              "Old Data Version.\r\nUse Plumex of version 0.4 or Older.");
}

TEST(DocumentFile, EveryTruncationFailsCleanly) {
    std::vector<TCvLine> lines = {polyline({{0, 0}, {1, 0}}), polyline({{2, 2}})};
    lines[0].name = "first";
    DocumentSettings s;
    s.verticalGuides = {1, 2};
    s.draft.fileName = "d.png";
    const Bytes file = writeDocument(lines, s);
    for (std::size_t n = 0; n < file.size(); ++n)
        EXPECT_NE(readFailure(Bytes(file.begin(), file.begin() + n)), "") << n;
}

TEST(DocumentFile, PathCountBeyondTheRecordsFails) {
    Bytes file = writeDocument({polyline({{0, 0}, {1, 0}}), polyline({{0, 0}, {1, 0}})}, {});
    file[20] = 3; // path count
    EXPECT_NE(readFailure(file), "");
}

TEST(DocumentFile, CountsThatCannotFitAreInvalidData) {
    const auto withInt = [](std::size_t at, std::int32_t v) {
        Bytes file = writeDocument({polyline({{0, 0}, {1, 0}})}, {});
        plumex::storeInt32(file.data() + at, v);
        return file;
    };
    // Path count, name length, anchor count: negative, huge, or just past the bytes left.
    for (std::size_t at : {20u, 24u, 32u}) {
        EXPECT_EQ(readFailure(withInt(at, -1)), "Invalid Data") << at;
        EXPECT_EQ(readFailure(withInt(at, std::numeric_limits<std::int32_t>::max())),
                  "Invalid Data")
            << at;
    }
    EXPECT_EQ(readFailure(withInt(32, 4)), "Invalid Data"); // 200 bytes of anchors, 136 left
    const std::size_t guides = 24 + 112 + 8 + 16;
    EXPECT_EQ(readFailure(withInt(guides, 2)), "Invalid Data"); // 16 bytes, 8 left
    EXPECT_EQ(readFailure(withInt(guides + 4, -5)), "Invalid Data");
}

TEST(DocumentFile, NumbersThatAreNotFiniteAreInvalidData) {
    const Bytes good = writeDocument({polyline({{0, 0}, {1, 0}})}, {});
    const std::size_t scaleAt = 24 + 112;
    // An anchor coordinate, a handle, the scale, the view centre.
    for (std::size_t at :
         {std::size_t{36}, std::size_t{52}, std::size_t{76}, scaleAt, scaleAt + 8}) {
        for (double bad :
             {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
            Bytes file = good;
            plumex::storeDouble(file.data() + at, bad);
            EXPECT_EQ(readFailure(file), "Invalid Data") << at;
        }
    }
    Bytes zeroScale = good;
    plumex::storeDouble(zeroScale.data() + scaleAt, 0.0);
    EXPECT_EQ(readFailure(zeroScale), "Invalid Data");
}

TEST(DocumentFile, UnknownFlagBitsAreIgnored) {
    Bytes file = writeDocument({polyline({{0, 0}})}, {});
    plumex::storeInt32(file.data() + 28, static_cast<std::int32_t>(0xfffffffdu));
    const DocumentContent doc = readDocument(file);
    EXPECT_TRUE(doc.lines[0].closed);
    EXPECT_TRUE(doc.lines[0].locked);
    EXPECT_TRUE(doc.lines[0].visible);
}

TEST(DocumentFile, RandomDrawingsRoundTripBitForBit) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        const std::vector<TCvLine> lines = random.lines();
        const DocumentSettings settings = random.settings();
        const Bytes file = writeDocument(lines, settings);
        const DocumentContent doc = readDocument(file);
        expectIdentical(doc.lines, deselected(lines));
        EXPECT_EQ(doc.settings, settings) << seed;
        // Writing what was read gives the same bytes, so every double survived unchanged.
        EXPECT_EQ(writeDocument(doc.lines, doc.settings),
                  writeDocument(deselected(lines), settings))
            << seed;
        if (HasFailure()) break;
    }
}

TEST(DocumentFile, ReadsTheFuzzSeedsWrittenByAnIndependentEncoder) {
    const std::string dir = PLUMEX_TEST_DATA "/../../fuzz/corpus/document/";
    const DocumentContent v4 = readDocument(plumex::readFileBytes(dir + "v4-paths.plx"));
    ASSERT_EQ(v4.lines.size(), 2u);
    EXPECT_EQ(v4.lines[0].name, "a");
    EXPECT_TRUE(v4.lines[0].closed);
    EXPECT_EQ(v4.lines[0].points[2].inHandle, (TCvCoord{12, 8}));
    EXPECT_EQ(v4.lines[0].points[2].independent, 1);
    EXPECT_FALSE(v4.lines[0].points[2].selected);
    EXPECT_EQ(v4.settings.scale, 80);
    EXPECT_EQ(v4.settings.draft.fileName, "C:\\draft.bmp");

    const DocumentContent v5 = readDocument(plumex::readFileBytes(dir + "v5-holes.plx"));
    ASSERT_EQ(v5.lines.size(), 3u);
    EXPECT_TRUE(v5.lines[2].locked);
    EXPECT_EQ(v5.settings.verticalGuides, (std::vector<double>{1.5, -2}));
    EXPECT_EQ(v5.settings.horizontalGuides, (std::vector<double>{3}));
    EXPECT_EQ(v5.settings.draft.factor, 0.05);
    EXPECT_TRUE(readDocument(plumex::readFileBytes(dir + "v4-empty.plx")).lines.empty());
}

TEST(DocumentFile, AFileWithoutEndIsRefusedNotReadIntoMemory) {
    // A device or pipe that never ends must not eat the memory before the reader sees it.
    try {
        plumex::readFileBytes("/dev/zero", 1 << 20);
        ADD_FAILURE() << "read without end";
    } catch (const plumex::ReadError& e) {
        EXPECT_NE(std::string(e.what()).find("File too large"), std::string::npos);
    }
    EXPECT_EQ(plumex::readFileBytes("/dev/null").size(), 0u);
}
