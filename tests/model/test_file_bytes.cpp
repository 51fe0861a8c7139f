#include "model/FileBytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path dir = fs::temp_directory_path() / ("plumex_file_bytes_" + std::to_string(::getpid()));
    TempFolder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~TempFolder() { fs::remove_all(dir); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
};

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeText(const fs::path& path, const std::string& text) {
    plumex::writeFileAtomically(path.string(), [&](std::ostream& out) { out << text; });
}

// Small puts, single characters and pieces larger than the buffer, in one stream.
TEST(FileBytes, StreamedContentArrivesWholeAndInOrder) {
    TempFolder temp;
    const fs::path path = temp.dir / "out.txt";
    std::string expected;
    plumex::writeFileAtomically(path.string(), [&](std::ostream& out) {
        for (int i = 0; i < 30000; ++i) {
            const std::string piece = std::to_string(i) + ',';
            out << piece;
            expected += piece;
            if (i % 7000 == 0) {
                const std::string big(200000, static_cast<char>('a' + i % 26));
                out.write(big.data(), static_cast<std::streamsize>(big.size()));
                expected += big;
            }
            out.put('\n');
            expected += '\n';
        }
    });
    EXPECT_EQ(contentOf(path), expected);
    EXPECT_EQ(temp.entries(), 1u) << "a temporary file was left behind";
}

TEST(FileBytes, AThrowingWriterLeavesTheOldFileAndNoTemporary) {
    TempFolder temp;
    const fs::path path = temp.dir / "keep.txt";
    writeText(path, "old content");
    EXPECT_THROW(plumex::writeFileAtomically(path.string(),
                                             [](std::ostream& out) {
                                                 out << std::string(300000, 'x');
                                                 throw std::runtime_error("stop");
                                             }),
                 std::runtime_error);
    EXPECT_EQ(contentOf(path), "old content");
    EXPECT_EQ(temp.entries(), 1u);
}

// A full disk shows only as a failed write somewhere in the middle of the stream; the export
// must not report success with a cut file, nor lose the previous one.
TEST(FileBytes, AWriteThatFailsMidStreamIsReportedAndKeepsTheOldFile) {
    TempFolder temp;
    const fs::path path = temp.dir / "keep.txt";
    writeText(path, "old content");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        writeText(path, std::string(1000000, 'y'));
    } catch (const std::system_error& e) {
        threw = true;
        EXPECT_NE(std::string(e.what()).find("Cannot write"), std::string::npos) << e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(contentOf(path), "old content");
    EXPECT_EQ(temp.entries(), 1u);
}

} // namespace
