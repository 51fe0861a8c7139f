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

TEST(ClipboardBlock, SizeFieldThatDisagreesIsInvalidData) {
    const TCvLine line = plumex::testing::polyline({{0, 0}, {1, 1}, {2, 0}});
    std::vector<std::uint8_t> block = WriteClipboardBlock({line, line});
    const auto n = static_cast<std::int32_t>(block.size());
    for (std::int32_t size : {0, 3, n - 1, n + 1, -4, std::numeric_limits<std::int32_t>::max()}) {
        std::vector<std::uint8_t> b = block;
        setSize(b, size);
        expectInvalid(b);
    }
    expectInvalid({});
    expectInvalid({4, 0, 0});
    // Cut anywhere, with a size that agrees with what is left: a record runs past the end.
    for (std::size_t cut = 4; cut < block.size(); ++cut) {
        std::vector<std::uint8_t> b(block.begin(),
                                    block.begin() + static_cast<std::ptrdiff_t>(cut));
        setSize(b, static_cast<std::int32_t>(cut));
        if (cut == 4 || cut == 4 + (block.size() - 4) / 2) {
            EXPECT_EQ(ReadClipboardBlock(b).size(), cut == 4 ? 0u : 1u); // whole records
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
