#include "app/Languages.h"
#include "app/BuiltinLanguages.h"
#include "app/IniFile.h"
#include "app/LanguageFile.h"
#include "app/MessageRouting.h"
#include "app/Options.h"
#include "model/ModelMessages.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <set>

using namespace plumex;
using plumex::testing::readAll;
using plumex::testing::TempDir;

namespace {

TLanguage named(const std::string& name, const std::string& base = "") {
    TLanguage l;
    l.Name = name;
    l.Base = base;
    return l;
}

std::string pll(const std::string& general, const std::string& rest = "") {
    return "[General]\n" + general + "\n" + rest;
}

} // namespace

TEST(BuiltinLanguages, DefineEveryText) {
    for (const TLanguage* l : {&builtinEnglish(), &builtinJapanese()}) {
        for (int i = 0; i < CaptionCount; ++i)
            EXPECT_FALSE(l->captions[i].empty()) << l->Name << " " << CaptionKeyNames[i];
        for (int j = 0; j < MessageCount; ++j)
            EXPECT_FALSE(l->messages[j].empty()) << l->Name << " " << MessageKeyNames[j];
        EXPECT_TRUE(l->Base.empty());
    }
    EXPECT_EQ(builtinEnglish().Name, "English");
    EXPECT_EQ(builtinJapanese().Name, "Japanese");
}

TEST(BuiltinLanguages, KeysAndTextsLineUp) {
    EXPECT_EQ(CaptionKeyNames[M_File], "M_File");
    EXPECT_EQ(CaptionKeyNames[C_KeyKey], "C_KeyKey");
    EXPECT_EQ(MessageKeyNames[errBitmap], "errBitmap");
    std::set<std::string_view> unique(CaptionKeyNames.begin(), CaptionKeyNames.end());
    EXPECT_EQ(unique.size(), std::size_t(CaptionCount));
    const TLanguage& en = builtinEnglish();
    EXPECT_EQ(en.captions[M_Scroll], "Scroll");
    EXPECT_EQ(en.captions[M_File], "&File");
    EXPECT_EQ(en.captions[M_DeleteSegments], "Delte Se&gment");
    EXPECT_EQ(en.captions[M_LangFileOut], "Output Language Difinition File");
    EXPECT_EQ(en.captions[H_SelLine], "Object Tool");
    EXPECT_EQ(en.captions[D_Open], "Open File");
    EXPECT_EQ(en.captions[C_Ok], "OK");
    EXPECT_EQ(en.captions[C_ClBk], "Background");
    EXPECT_EQ(en.captions[C_ClSelObj], "Selected Obects");
    EXPECT_EQ(en.captions[C_ClGuide], "GuideLines");
    EXPECT_EQ(en.captions[C_KeyKey], "Key Order");
    EXPECT_EQ(en.messages[errOldVer], "Old Data Version.\r\nUse Plumex of version %V or Older.");
    EXPECT_EQ(en.messages[errBitmap], "Could not create a Bitmap! Size may be Too large.");
}

TEST(BuiltinLanguages, JapaneseKeepsAcceleratorsAsSuffixes) {
    const TLanguage& en = builtinEnglish();
    const TLanguage& ja = builtinJapanese();
    EXPECT_EQ(ja.captions[M_File], "ファイル(&F)");
    for (int i = 0; i < CaptionCount; ++i) {
        std::size_t amp = en.captions[i].find('&');
        if (amp == std::string::npos || amp + 1 >= en.captions[i].size()) continue;
        char key = static_cast<char>(std::toupper(en.captions[i][amp + 1]));
        EXPECT_NE(ja.captions[i].find(std::string("(&") + key + ")"), std::string::npos)
            << CaptionKeyNames[i] << ": " << ja.captions[i];
    }
}

TEST(LanguageFile, OnlyDefinedTextsWithoutBase) {
    IniFile ini = IniFile::fromText(pll("Load=yes\nName=Mine", "[Captions]\nM_File=Fi&le\n"));
    auto l = readLanguage(ini);
    ASSERT_TRUE(l);
    TLanguages list;
    list.Add(*l);
    list.ResolveFallbacks();
    TCvOptions options;
    ASSERT_TRUE(list.Apply("Mine", options));
    EXPECT_EQ(options.Language, "Mine");
    EXPECT_EQ(list.Caption(M_File), "Fi&le");
    EXPECT_EQ(list.Caption(M_Edit), "");
    EXPECT_EQ(list.Message(msgQSave), "");
}

TEST(LanguageFile, RejectedUnlessLoadIsYesAndNameGiven) {
    EXPECT_TRUE(readLanguage(IniFile::fromText(pll("Name=A")))); // Load defaults to yes
    EXPECT_TRUE(readLanguage(IniFile::fromText(pll("load = yes\nname=A"))));
    EXPECT_FALSE(readLanguage(IniFile::fromText(pll("Load=no\nName=A"))));
    EXPECT_FALSE(readLanguage(IniFile::fromText(pll("Load=Yes\nName=A"))));
    EXPECT_FALSE(readLanguage(IniFile::fromText(pll("Load=yes\nName="))));
    EXPECT_FALSE(readLanguage(IniFile::fromText("")));
}

TEST(LanguageFile, LineBreaksInMessagesRoundTrip) {
    TempDir dir;
    std::string path =
        dir.write("m.pll", pll("Name=M", "[Messages]\nmsgQSave=Save\\nnow?\nerrBitmap=a\\n\\nb\n"));
    auto l = readLanguageFile(path);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->messages[msgQSave], "Save\r\nnow?");
    EXPECT_EQ(l->messages[errBitmap], "a\r\n\r\nb");
    std::string out = dir.file("out.pll");
    ASSERT_TRUE(writeLanguageTemplate(out, *l));
    IniFile written = IniFile::fromFile(out);
    EXPECT_EQ(written.readString("Messages", "msgQSave", ""), "Save\\nnow?");
    // A lone line break also stays on its line.
    TLanguage lone = named("L");
    lone.messages[msgNewName] = "a\nb\rc";
    ASSERT_TRUE(writeLanguageTemplate(out, lone));
    EXPECT_EQ(IniFile::fromFile(out).readString("Messages", "msgNewName", ""), "a\\nb\\nc");
}

TEST(LanguageFile, TemplateOfEnglishHoldsEveryTextAndLoadNo) {
    TempDir dir;
    std::string path = dir.file("English.pll");
    ASSERT_TRUE(writeLanguageTemplate(path, builtinEnglish()));
    IniFile ini = IniFile::fromFile(path);
    EXPECT_EQ(ini.readString("General", "Load", ""), "no");
    EXPECT_FALSE(ini.hasKey("General", "Base"));
    EXPECT_EQ(ini.keys("Captions").size(), std::size_t(CaptionCount));
    EXPECT_EQ(ini.keys("Messages").size(), std::size_t(MessageCount));
    EXPECT_FALSE(readLanguageFile(path)); // ignored until a translator says yes

    ini.writeString("General", "Load", "yes");
    ASSERT_TRUE(ini.save(path));
    auto back = readLanguageFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, builtinEnglish());
}

TEST(LanguageFile, TemplateKeepsOtherKeysAndDeletesEmptyOnes) {
    TempDir dir;
    std::string path = dir.write("x.pll", pll("Name=Old\nBase=English\nAuthor=me",
                                              "[Captions]\nM_File=Old\nM_Edit=Old\nX_Own=1\n"));
    TLanguage l = named("New");
    l.captions[M_File] = "Fresh";
    ASSERT_TRUE(writeLanguageTemplate(path, l));
    IniFile ini = IniFile::fromFile(path);
    EXPECT_EQ(ini.readString("General", "Name", ""), "New");
    EXPECT_EQ(ini.readString("General", "Author", ""), "me");
    EXPECT_FALSE(ini.hasKey("General", "Base"));
    EXPECT_EQ(ini.readString("Captions", "M_File", ""), "Fresh");
    EXPECT_FALSE(ini.hasKey("Captions", "M_Edit"));
    EXPECT_EQ(ini.readString("Captions", "X_Own", ""), "1");
}

TEST(Languages, FallbackThroughBase) {
    TLanguages list;
    TLanguage partial = named("Partial", "English");
    partial.captions[M_File] = "P";
    list.Add(partial);
    list.Add(named("Orphan", "Nowhere"));
    list.Add(named("Child", "Partial"));
    list.ResolveFallbacks();
    TCvOptions options;
    ASSERT_TRUE(list.Apply("Child", options));
    EXPECT_EQ(list.Caption(M_File), "P");
    EXPECT_EQ(list.Caption(M_Edit), "&Edit");
    EXPECT_EQ(list.Message(msgQSave), "Save Changes?");
    ASSERT_TRUE(list.Apply("Orphan", options)); // an unknown base means English
    EXPECT_EQ(list.Caption(M_Edit), "&Edit");
}

TEST(Languages, BaseCycleEndsInEnglish) {
    TLanguages list;
    TLanguage a = named("A", "B");
    a.captions[M_File] = "A-file";
    list.Add(a);
    list.Add(named("B", "A"));
    list.Add(named("Self", "Self"));
    list.ResolveFallbacks();
    TCvOptions options;
    ASSERT_TRUE(list.Apply("B", options));
    EXPECT_EQ(list.Caption(M_File), "A-file");
    EXPECT_EQ(list.Caption(M_Edit), "&Edit");
    ASSERT_TRUE(list.Apply("Self", options));
    EXPECT_EQ(list.Message(msgNewName), "Undefined");
}

TEST(Languages, FindingByNameTakesTheFirst) {
    TLanguages list;
    TLanguage fake = named("English");
    fake.captions[M_File] = "fake";
    list.Add(fake);
    TLanguage first = named("Twin"), second = named("Twin");
    first.captions[M_File] = "first";
    second.captions[M_File] = "second";
    list.Add(first);
    list.Add(second);
    list.ResolveFallbacks();
    EXPECT_EQ(list.list().size(), 5u);
    EXPECT_EQ(list.Find("English"), 0);
    EXPECT_EQ(list.Find("english"), -1);
    EXPECT_EQ(list.Find("Twin"), 3);
    TCvOptions options;
    ASSERT_TRUE(list.Apply("English", options));
    EXPECT_EQ(list.Caption(M_File), "&File");
    ASSERT_TRUE(list.Apply("Twin", options));
    EXPECT_EQ(list.Caption(M_File), "first");
}

TEST(Languages, ApplyingAnUnknownNameChangesNothing) {
    TLanguages list;
    TCvOptions options;
    options.Language = "Removed";
    ASSERT_TRUE(list.Apply("Japanese", options));
    options.Language = "Removed";
    EXPECT_FALSE(list.Apply("Removed", options));
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_EQ(options.Language, "Removed");
    EXPECT_EQ(list.Caption(-1), "");
    EXPECT_EQ(list.Caption(CaptionCount), "");
    EXPECT_EQ(list.Message(MessageCount), "");
}

TEST(Languages, LoadsLanguageFilesFromAFolder) {
    TempDir dir;
    dir.write("a.pll", pll("Load=yes\nName=Alpha\nBase=English", "[Captions]\nM_File=AF\n"));
    dir.write("b.PLL", pll("Name=Beta"));
    dir.write("off.pll", pll("Load=no\nName=Off"));
    dir.write("note.txt", pll("Name=Text"));
    dir.write("junk.pll", std::string("\x00\xff[\x01=\n", 6));
    std::filesystem::create_directory(dir.file("dir.pll"));
    TLanguages list;
    list.LoadFiles(dir.file(""));
    std::set<std::string> names;
    for (std::size_t i = 2; i < list.list().size(); ++i) names.insert(list.list()[i].Name);
    EXPECT_EQ(names, (std::set<std::string>{"Alpha", "Beta"}));
    TCvOptions options;
    ASSERT_TRUE(list.Apply("Alpha", options));
    EXPECT_EQ(list.Caption(M_File), "AF");
    EXPECT_EQ(list.Caption(M_Edit), "&Edit");
    list.LoadFiles(dir.file("missing")); // a folder that is gone adds nothing
}

TEST(Languages, HostileLanguageFilesAreHandled) {
    TempDir dir;
    std::string junk;
    for (int i = 0; i < 200000; ++i) junk += static_cast<char>((i * 31 + 7) % 256);
    dir.write("junk.pll", junk);
    dir.write("long.pll", pll("Name=Long", "[Captions]\nM_File=" + std::string(10 << 20, 'x')));
    dir.write("noeol.pll", "[General]\nName=NoEol");
    TLanguages list;
    list.LoadFiles(dir.file(""));
    TCvOptions options;
    ASSERT_TRUE(list.Apply("Long", options));
    EXPECT_EQ(list.Caption(M_File).size(), std::size_t(10) << 20);
    EXPECT_GE(list.Find("NoEol"), 2);
}

TEST(Languages, ModelMessagesFollowTheCurrentLanguage) {
    routeModelMessages();
    TCvOptions options;
    ASSERT_TRUE(languages().Apply("Japanese", options));
    EXPECT_EQ(messageText(Message::NotPlumexFile), builtinJapanese().messages[errFileType]);
    std::string old = messageText(Message::OldDataVersion);
    EXPECT_NE(old.find("0.4"), std::string::npos);
    EXPECT_EQ(old.find("%V"), std::string::npos);
    ASSERT_TRUE(languages().Apply("English", options));
    EXPECT_EQ(messageText(Message::OldDataVersion),
              "Old Data Version.\r\nUse Plumex of version 0.4 or Older.");
    setMessageLookup(nullptr);
}
