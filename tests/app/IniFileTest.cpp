#include "app/IniFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace plumex;
using plumex::testing::readAll;
using plumex::testing::TempDir;

TEST(IniFile, MatchesSectionsAndKeysWithoutCaseAndTrimsValues) {
    IniFile ini = IniFile::fromText("[global]\r\n  language =  Klingon  \r\nTOOLRIGHT=1\r\n");
    EXPECT_EQ(ini.readString("Global", "Language", "x"), "Klingon");
    EXPECT_TRUE(ini.readBool("GLOBAL", "ToolRight", false));
    EXPECT_EQ(ini.readString("Global", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Other", "Language", "dflt"), "dflt");
}

TEST(IniFile, FirstOfDuplicateKeysCounts) {
    IniFile ini = IniFile::fromText("[S]\nK=first\nk=second\n");
    EXPECT_EQ(ini.readString("S", "K", ""), "first");
    ini.writeString("S", "K", "new");
    EXPECT_EQ(ini.readString("S", "K", ""), "new");
    EXPECT_EQ(IniFile::fromText(ini.text()).readString("S", "K", ""), "new");
}

TEST(IniFile, NumbersFallBackAsTheirKindSays) {
    IniFile ini = IniFile::fromText("[S]\nI=12abc\nB=yes\nD=junk\nE=\nC=1,5\n");
    EXPECT_EQ(ini.readInteger("S", "I", 7), 7);
    EXPECT_TRUE(ini.readBool("S", "B", true));
    EXPECT_FALSE(ini.readBool("S", "B", false));
    EXPECT_EQ(ini.readDecimal("S", "D", 2.5), 2.5);
    EXPECT_EQ(ini.readDecimal("S", "E", 2.5), 2.5);
    EXPECT_EQ(ini.readDecimal("S", "C", 0), 1.5);
}

TEST(IniFile, WritingKeepsOtherKeysSectionsAndOrder) {
    IniFile ini = IniFile::fromText("; mine\n[Other]\nx=1\n[Global]\nB=2\nA=1\n");
    ini.writeString("global", "a", "10");
    ini.writeString("Global", "C", "3");
    ini.writeString("New", "K", "v");
    const std::string text = ini.text();
    const auto at = [&](const char* s) { return text.find(s); };
    EXPECT_LT(at("; mine"), at("[Other]"));
    EXPECT_LT(at("x=1"), at("[Global]"));
    EXPECT_LT(at("B=2\nA=10\nC=3\n"), at("[New]\nK=v\n"));
    EXPECT_NE(at("[New]\nK=v\n"), std::string::npos);
    // Reading and writing again changes nothing.
    EXPECT_EQ(IniFile::fromText(text).text(), text);
}

TEST(IniFile, RefusesValuesThatWouldBreakTheLine) {
    IniFile ini;
    EXPECT_FALSE(ini.writeString("S", "K", "a\nb"));
    EXPECT_FALSE(ini.writeString("S", "K", "a\rb"));
    EXPECT_FALSE(ini.hasKey("S", "K"));
}

TEST(IniFile, DeletingAKeyKeepsTheRest) {
    IniFile ini = IniFile::fromText("[S]\nA=1\nB=2\n");
    ini.deleteKey("s", "a");
    EXPECT_FALSE(ini.hasKey("S", "A"));
    EXPECT_EQ(ini.readString("S", "B", ""), "2");
}

TEST(IniFile, KeysComeInFileOrder) {
    IniFile ini = IniFile::fromText("[S]\nzeta=1\nAlpha=2\nmid=3\n");
    EXPECT_EQ(ini.keys("s"), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_TRUE(ini.keys("none").empty());
}

TEST(IniFile, MissingFileIsEmptyAndCanBeCreated) {
    TempDir dir;
    IniFile ini = IniFile::fromFile(dir.file("a.ini"));
    EXPECT_EQ(ini.status(), IniFile::Status::Missing);
    ini.writeInteger("S", "K", 5);
    ASSERT_TRUE(ini.save(dir.file("a.ini")));
    EXPECT_EQ(IniFile::fromFile(dir.file("a.ini")).readInteger("S", "K", 0), 5);
}

TEST(IniFile, UnreadableFileIsNeverOverwritten) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.ini"));
    IniFile asDir = IniFile::fromFile(dir.file("folder.ini"));
    EXPECT_EQ(asDir.status(), IniFile::Status::Unreadable);
    EXPECT_FALSE(asDir.save(dir.file("folder.ini")));

    std::string big(IniFile::MaxFileSize + 1, 'x');
    std::string path = dir.write("big.ini", big);
    IniFile tooBig = IniFile::fromFile(path);
    EXPECT_EQ(tooBig.status(), IniFile::Status::Unreadable);
    EXPECT_FALSE(tooBig.save(path));
    EXPECT_EQ(std::filesystem::file_size(path), big.size());
}

TEST(IniFile, FailedSaveLeavesTheOldFileAndNoLeftovers) {
    TempDir dir;
    // A folder standing where the file should go: the final rename must fail.
    std::filesystem::create_directory(dir.file("target.ini"));
    IniFile ini = IniFile::fromText("[S]\nK=1\n");
    EXPECT_FALSE(ini.save(dir.file("target.ini")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("target.ini")));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"target.ini"});
}

TEST(IniFile, SaveReplacesContentAndKeepsPermissions) {
    TempDir dir;
    std::string path = dir.write("p.ini", "[S]\nOld=1\n");
    ::chmod(path.c_str(), 0640);
    IniFile ini = IniFile::fromFile(path);
    ini.writeString("S", "New", "2");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readAll(path), "[S]\nOld=1\nNew=2\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFile, HostileTextParsesWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 100000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    IniFile a = IniFile::fromText(junk);
    a.readString("General", "Name", "");
    a.writeString("General", "Name", "x");
    (void)a.text();

    std::string longLine = "[S]\nK=" + std::string(10 << 20, 'v'); // 10 MB, no newline
    IniFile b = IniFile::fromText(longLine);
    EXPECT_EQ(b.readString("S", "K", "").size(), std::size_t(10) << 20);

    IniFile c = IniFile::fromText(std::string(10 << 20, '['));
    EXPECT_TRUE(c.keys("S").empty());

    IniFile d = IniFile::fromText(std::string("[S]\nK=a\0b\nL=2\n", 14));
    EXPECT_EQ(d.readString("S", "K", ""), "a");
}
