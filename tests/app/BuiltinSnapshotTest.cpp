// The built-in texts against a snapshot taken from the tables as released: language files name
// the keys, settings keep numbers, and the texts are the program's own, misspellings and all.
#include "app/BuiltinLanguages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace plumex;

namespace {

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

std::vector<std::vector<std::string>> snapshotRows() {
    std::ifstream in(PLUMEX_TEST_DATA "/app/builtin-languages.tsv", std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(unescape(cell));
        rows.push_back(fields);
    }
    return rows;
}

} // namespace

TEST(BuiltinLanguages, KeepEveryKeyNumberAndTextOfTheSnapshot) {
    const auto rows = snapshotRows();
    ASSERT_GT(rows.size(), 250u) << "snapshot missing";
    const TLanguage& en = builtinEnglish();
    const TLanguage& ja = builtinJapanese();
    int captions = 0, messages = 0;
    for (const auto& row : rows) {
        if (row[0] == "names") {
            ASSERT_EQ(row.size(), 3u);
            EXPECT_EQ(en.Name, row[1]);
            EXPECT_EQ(ja.Name, row[2]);
            continue;
        }
        ASSERT_EQ(row.size(), 5u) << row[0];
        const int n = std::stoi(row[1]);
        const bool caption = row[0] == "caption";
        ASSERT_TRUE(caption || row[0] == "message") << row[0];
        ASSERT_LT(n, caption ? int{CaptionCount} : int{MessageCount}) << row[2] << " was dropped";
        ++(caption ? captions : messages);
        EXPECT_EQ(caption ? CaptionKeyNames[n] : MessageKeyNames[n], row[2]) << "key " << n;
        EXPECT_EQ(caption ? en.captions[n] : en.messages[n], row[3]) << row[2];
        EXPECT_EQ(caption ? ja.captions[n] : ja.messages[n], row[4]) << row[2];
    }
    // Keys added since come after the snapshot's, so no number moves.
    EXPECT_EQ(captions, 263);
    EXPECT_EQ(messages, 10);
    EXPECT_GE(int{CaptionCount}, captions);
    EXPECT_GE(int{MessageCount}, messages);
}

TEST(BuiltinLanguages, EnumeratorsAreTheirNamesNumbers) {
    // Spot checks that the enumerators, not only the name tables, kept their numbers.
    EXPECT_EQ(M_Scroll, 0);
    EXPECT_EQ(M_File, 14);
    EXPECT_EQ(M_LangFileOut, 127);
    EXPECT_EQ(H_SelLine, 128);
    EXPECT_EQ(C_KeyKey, 262);
    EXPECT_EQ(msgNewName, 0);
    EXPECT_EQ(errBitmap, 9);
}
