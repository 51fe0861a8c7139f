#include "model/ByteReader.h"
#include "model/ByteWriter.h"
#include "model/ClipboardBlock.h"
#include "model/ReadError.h"
#include "random_drawing.h"
#include "testing.h"

#include <limits>

using namespace plumex;

namespace {

void expectInvalid(const std::vector<std::uint8_t>& block) {
    try {
        ReadClipboardBlock(block);
        ADD_FAILURE() << "accepted a damaged block of " << block.size() << " bytes";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Invalid Data");
    }
}

void setSize(std::vector<std::uint8_t>& block, std::int32_t size) {
    storeInt32(block.data(), size);
}

} // namespace

TEST(ClipboardBlock, RoundTripKeepsEveryFieldAndSelection) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        std::vector<TCvLine> paths = random.lines();
        std::erase_if(paths, [](const TCvLine& l) { return l.points.empty(); });
        const std::vector<std::uint8_t> block = WriteClipboardBlock(paths);
        EXPECT_EQ(loadInt32(block.data()), static_cast<std::int32_t>(block.size()));
        const std::vector<TCvLine> back = ReadClipboardBlock(block);
        ASSERT_EQ(back, paths) << "seed " << seed;
        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(back[i].selected, paths[i].selected); // the file reader clears it; we don't
    }
}

TEST(ClipboardBlock, TwoAnchorRecordIs112BytesAfterTheSize) {
    TCvLine line = plumex::testing::polyline({{0, 0}, {1, 1}});
    EXPECT_EQ(WriteClipboardBlock({line}).size(), 4u + 112u);
    EXPECT_EQ(WriteClipboardBlock({}).size(), 4u);
    EXPECT_TRUE(ReadClipboardBlock(WriteClipboardBlock({})).empty());
}

// The total says where the records end; bytes after it are padding, as a clipboard that
// rounds its blocks up hands them back. A total beyond the bytes is damage.
TEST(ClipboardBlock, RecordsEndAtTheTotalAndWhatFollowsIsIgnored) {
    const TCvLine line = plumex::testing::polyline({{0, 0}, {1, 1}, {2, 0}});
    const std::vector<std::uint8_t> block = WriteClipboardBlock({line, line});
    const auto n = static_cast<std::int32_t>(block.size());
    for (std::int32_t size : {0, 3, n + 1, -4, std::numeric_limits<std::int32_t>::max()}) {
        std::vector<std::uint8_t> b = block;
        setSize(b, size);
        expectInvalid(b);
    }
    expectInvalid({});
    expectInvalid({4, 0, 0});
    for (const std::uint8_t fill : {std::uint8_t{0}, std::uint8_t{0xFF}}) {
        std::vector<std::uint8_t> padded = block;
        padded.resize(block.size() + 13, fill);
        EXPECT_EQ(ReadClipboardBlock(padded), (std::vector<TCvLine>{line, line}));
    }
    // Every total short of the bytes: the records up to it, the rest (a record's own bytes
    // here, not zeros) ignored; a record the total cuts is damage.
    const std::size_t record = (block.size() - 4) / 2;
    for (std::size_t total = 4; total < block.size(); ++total) {
        std::vector<std::uint8_t> b = block;
        setSize(b, static_cast<std::int32_t>(total));
        if ((total - 4) % record == 0) {
            EXPECT_EQ(ReadClipboardBlock(b).size(), (total - 4) / record) << total;
            continue;
        }
        expectInvalid(b);
    }
}

TEST(ClipboardBlock, BadCountsAndNumbersAreInvalidData) {
    ByteWriter w;
    w.writeInt32(0);
    w.writeText("p");
    w.writeInt32(8);
    w.writeInt32(-1); // anchor count
    std::vector<std::uint8_t> negative = w.release();
    setSize(negative, static_cast<std::int32_t>(negative.size()));
    expectInvalid(negative);

    std::vector<std::uint8_t> huge = negative;
    storeInt32(huge.data() + 4 + 5 + 4, 1 << 30); // far more anchors than bytes
    expectInvalid(huge);

    std::vector<std::uint8_t> block =
        WriteClipboardBlock({plumex::testing::polyline({{0, 0}, {1, 1}})});
    // The first anchor's x, after the size, the empty name, the flags and the count.
    storeDouble(block.data() + 4 + 4 + 4 + 4, std::numeric_limits<double>::infinity());
    expectInvalid(block);
    storeDouble(block.data() + 4 + 4 + 4 + 4, std::numeric_limits<double>::quiet_NaN());
    expectInvalid(block);
}

TEST(ClipboardBlock, RecordsWithoutAnchorsAreLeftOut) {
    TCvLine empty;
    empty.name = "nothing";
    const TCvLine line = plumex::testing::polyline({{0, 0}, {1, 1}});
    const auto back = ReadClipboardBlock(WriteClipboardBlock({empty, line, empty}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], line);
}
