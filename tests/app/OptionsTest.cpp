#include "app/Options.h"
#include "app/IniFile.h"
#include "app/Locale.h"
#include "app/SettingsPath.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>

using namespace plumex;
using plumex::testing::readAll;
using plumex::testing::TempDir;

namespace {

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnv {
public:
    LocaleEnv(const char* all, const char* messages, const char* lang) {
        for (const char* name : names) {
            const char* v = std::getenv(name);
            saved_.emplace_back(v ? std::optional<std::string>(v) : std::nullopt);
        }
        set("LC_ALL", all);
        set("LC_MESSAGES", messages);
        set("LANG", lang);
    }
    ~LocaleEnv() {
        for (std::size_t i = 0; i < 3; ++i) set(names[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static void set(const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    static constexpr const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

TCvOptions loaded(const std::string& path, ColorTable& colors) {
    TCvOptions o;
    o.Load(path, colors);
    return o;
}

} // namespace

TEST(Options, LanguageDefaultFollowsTheLocale) {
    {
        LocaleEnv env(nullptr, nullptr, "ja_JP.UTF-8");
        EXPECT_EQ(TCvOptions().Language, "Japanese");
    }
    {
        LocaleEnv env("en_US.UTF-8", "ja_JP", "ja_JP");
        EXPECT_EQ(TCvOptions().Language, "English");
    }
    {
        LocaleEnv env("", "ja_JP", "C");
        EXPECT_EQ(TCvOptions().Language, "Japanese");
    }
    {
        LocaleEnv env(nullptr, nullptr, nullptr);
        EXPECT_EQ(TCvOptions().Language, "English");
    }
}

TEST(Options, LanguageKeyWinsOverTheLocale) {
    LocaleEnv env(nullptr, nullptr, "ja_JP.UTF-8");
    TempDir dir;
    ColorTable colors = defaultColors();
    EXPECT_EQ(loaded(dir.write("a.ini", "[Global]\nLanguage=English\n"), colors).Language,
              "English");
}

TEST(Options, OptionsByNumber) {
    TCvOptions o;
    bool TCvOptions::*fields[] = {
        &TCvOptions::ShowAnchor, &TCvOptions::ShowGrid,    &TCvOptions::SnapGrid,
        &TCvOptions::ShowGuides, &TCvOptions::SnapGuides,  &TCvOptions::LockGuides,
        &TCvOptions::ShowHelper, &TCvOptions::ShowRuler,   &TCvOptions::ShowDraft,
        &TCvOptions::DimDraft,   &TCvOptions::SmallAnchor, &TCvOptions::GridSizeFixed};
    for (int n = 0; n < CanvasOptionCount; ++n) {
        const auto option = static_cast<CanvasOption>(n);
        o.setOption(option, !(o.*fields[n]));
        EXPECT_EQ(o.option(option), o.*fields[n]) << n;
        TCvOptions fresh;
        fresh.setOption(option, o.option(option));
        EXPECT_NE(fresh, TCvOptions()) << "option " << n << " changed nothing";
    }
}

TEST(Options, SaveThenLoadGivesTheSameRecordAndColours) {
    TempDir dir;
    TCvOptions o;
    o.Language = "Klingon";
    o.WindowLeft = -20;
    o.WindowTop = 30;
    o.WindowWidth = 800;
    o.WindowHeight = 600;
    o.MRUMax = 4;
    o.MRU = {dir.write("b.plx", "x"), dir.write("a b.plx", "x")};
    o.KeyMoveSize = 3;
    o.JoinSnapRange = 0.1 + 0.2;
    o.GridUnits = 1.0 / 3.0;
    o.GridKnots = 7;
    o.ToolRight = o.WindowMaximized = true;
    o.RestoreWindowSize = o.ShowGrid = o.ShowGuides = o.SnapGuides = o.LockGuides = false;
    o.ShowHelper = o.ShowRuler = o.ShowAnchor = o.ShowDraft = o.DimDraft = false;
    o.ShowStatusBar = false;
    o.SnapGrid = o.SmallAnchor = true;
    ColorTable colors = defaultColors();
    colors[0] = 0x123456;
    colors[16] = 0;
    ASSERT_TRUE(o.Save(dir.file("s.ini"), colors));

    ColorTable back = defaultColors();
    EXPECT_EQ(loaded(dir.file("s.ini"), back), o);
    EXPECT_EQ(back, colors);
}

TEST(Options, FileLayoutIsInSectionAndKeyOrder) {
    TempDir dir;
    TCvOptions o;
    o.Language = "English";
    o.MRU = {dir.write("one.plx", "")};
    ASSERT_TRUE(o.Save(dir.file("s.ini"), defaultColors()));
    const std::string text = readAll(dir.file("s.ini"));
    const char* order[] = {"[Global]",         "Language=English",  "ToolRight=0",
                           "WindowLeft=0",     "WindowTop=0",       "WindowWidth=0",
                           "WindowHeight=0",   "WindowMaximized=0", "RestoreWindowSize=1",
                           "[Menu]",           "MRUMax=10",         "MRUCount=1",
                           "File0=",           "[Editor]",          "Scale=100",
                           "KeyMoveSize=1",    "JoinSnapRange=0",   "GridUnits=0.1",
                           "GridKnots=5",      "ShowGrid=1",        "SnapGrid=0",
                           "GridSizeFixed=0",  "ShowGuides=1",      "SnapGuides=1",
                           "LockGuides=1",     "ShowHelper=1",      "ShowRuler=1",
                           "ShowAnchor=1",     "SmallAnchor=0",     "ShowDraft=1",
                           "DimDraft=1",       "ShowStatusBar=1",   "[Colors]",
                           "Color0=16777215",  "Color1=0",          "Color2=16711680",
                           "Color15=16711680", "Color16=8388736"};
    std::size_t at = 0;
    for (const char* item : order) {
        std::size_t found = text.find(item, at);
        ASSERT_NE(found, std::string::npos) << item << " missing or out of order in\n" << text;
        at = found;
    }
}

TEST(Options, RecentFilesSkipMissingAndEmptyEntriesWithoutGaps) {
    TempDir dir;
    std::string a = dir.write("a.plx", ""), c = dir.write("c.plx", "");
    std::string ini = "[Menu]\nMRUCount=5\nFile0=" + a + "\nFile1=" + dir.file("gone.plx") +
                      "\nFile2=" + c + "\nFile3=\nfile4=" + a + "\nFile5=" + c + "\n";
    ColorTable colors = defaultColors();
    EXPECT_EQ(loaded(dir.write("s.ini", ini), colors).MRU, (std::vector<std::string>{a, c, a}));
    // Without a count nothing is read.
    EXPECT_TRUE(loaded(dir.write("t.ini", "[Menu]\nFile0=" + a + "\n"), colors).MRU.empty());
}

TEST(Options, HugeRecentFileCountDoesNotStall) {
    TempDir dir;
    std::string a = dir.write("a.plx", "");
    std::string ini = "[Menu]\nMRUCount=2147483647\nFile0=" + a + "\nFile2000000000=" + a + "\n";
    ColorTable colors = defaultColors();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(loaded(dir.write("s.ini", ini), colors).MRU.size(), 2u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(Options, StaleRecentFileKeysStayAndAreIgnored) {
    TempDir dir;
    std::string a = dir.write("a.plx", ""), b = dir.write("b.plx", "");
    std::string path = dir.write("s.ini", "[Menu]\nMRUCount=2\nFile0=" + a + "\nFile1=" + b + "\n");
    TCvOptions o;
    o.MRU = {b};
    ASSERT_TRUE(o.Save(path, defaultColors()));
    EXPECT_NE(readAll(path).find("File1=" + b), std::string::npos);
    ColorTable colors = defaultColors();
    EXPECT_EQ(loaded(path, colors).MRU, std::vector<std::string>{b});
}

TEST(Options, ScaleAndFixedGridAreWrittenButNotRead) {
    TempDir dir;
    ColorTable colors = defaultColors();
    TCvOptions o =
        loaded(dir.write("s.ini", "[Editor]\nScale=400\nGridSizeFixed=1\nShowGrid=0\n"), colors);
    EXPECT_EQ(o.Scale, 100.0);
    EXPECT_FALSE(o.GridSizeFixed);
    EXPECT_FALSE(o.ShowGrid); // the same section is read
}

TEST(Options, UnparsableValuesKeepDefaults) {
    TempDir dir;
    std::string ini = "[Global]\nWindowLeft=abc\n[Menu]\nMRUMax=-3\n[Editor]\nShowGrid=yes\n"
                      "JoinSnapRange=wide\nGridUnits=0\nGridKnots=0\nKeyMoveSize=1.5\n"
                      "SnapGrid=2\n[Colors]\nColor3=junk\nColor4=-1\nColor5=16777216\n"
                      "Color6=255\n";
    ColorTable colors = defaultColors();
    TCvOptions o = loaded(dir.write("s.ini", ini), colors);
    TCvOptions expected;
    expected.SnapGrid = true; // any non-zero integer is true
    EXPECT_EQ(o, expected);
    ColorTable expectedColors = defaultColors();
    expectedColors[6] = 255;
    EXPECT_EQ(colors, expectedColors);
}

TEST(Options, DecimalsReadWithEitherSeparator) {
    TempDir dir;
    ColorTable colors = defaultColors();
    TCvOptions o =
        loaded(dir.write("s.ini", "[editor]\nGridUnits=0,25\nJoinSnapRange= 1.5 \n"), colors);
    EXPECT_EQ(o.GridUnits, 0.25);
    EXPECT_EQ(o.JoinSnapRange, 1.5);
}

TEST(Options, MissingFileGivesDefaultsAndMissingColoursStay) {
    TempDir dir;
    ColorTable colors = defaultColors();
    colors[2] = 42;
    EXPECT_EQ(loaded(dir.file("none.ini"), colors), TCvOptions());
    EXPECT_EQ(colors[2], 42u);
    loaded(dir.write("s.ini", "[Colors]\nColor1=7\n"), colors);
    EXPECT_EQ(colors[1], 7u);
    EXPECT_EQ(colors[2], 42u);
}

TEST(Options, SavingKeepsForeignKeysAndNeverDamagesTheFile) {
    TempDir dir;
    std::string path = dir.write("s.ini", "[Plugin]\nmine=1\n[Global]\nExtra=yes\n");
    TCvOptions o;
    ASSERT_TRUE(o.Save(path, defaultColors()));
    IniFile ini = IniFile::fromFile(path);
    EXPECT_EQ(ini.readString("Plugin", "mine", ""), "1");
    EXPECT_EQ(ini.readString("Global", "Extra", ""), "yes");

    // A settings file too large to read is left alone rather than replaced.
    std::string big = dir.write("big.ini", std::string(IniFile::MaxFileSize + 10, ';'));
    EXPECT_FALSE(o.Save(big, defaultColors()));
    EXPECT_EQ(std::filesystem::file_size(big), IniFile::MaxFileSize + 10);
}

TEST(Options, SaveCreatesTheConfigurationFolder) {
    TempDir dir;
    std::string path = dir.file("cfg/plumex/plumex.ini");
    ASSERT_TRUE(TCvOptions().Save(path, defaultColors()));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(SettingsPath, BesideTheProgramWhenPossibleElseInTheUserFolder) {
    TempDir dir;
    EXPECT_EQ(settingsPath(dir.write("plumex", "")), dir.file("plumex.ini"));
    EXPECT_EQ(settingsPath(dir.file("plumex.bin")), dir.file("plumex.ini"));

    std::string locked = dir.file("locked");
    std::filesystem::create_directory(locked);
    std::ofstream(locked + "/kept.ini") << "";
    ::chmod(locked.c_str(), 0500);
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("XDG_CONFIG_HOME", "/xdg/home", 1);
    // An existing file is used even in a folder that cannot be written.
    EXPECT_EQ(settingsPath(locked + "/kept"), locked + "/kept.ini");
    if (::access(locked.c_str(), W_OK) != 0) { // root can write anywhere
        EXPECT_EQ(settingsPath(locked + "/plumex"), "/xdg/home/plumex/plumex.ini");
    }
    EXPECT_EQ(settingsPath(dir.file("no-such-folder/plumex")), "/xdg/home/plumex/plumex.ini");
    EXPECT_EQ(settingsPath(""), "/xdg/home/plumex/plumex.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(settingsPath(""), "/home/someone/.config/plumex/plumex.ini");
    ::setenv("HOME", savedHome.c_str(), 1);
    ::chmod(locked.c_str(), 0700);
}
