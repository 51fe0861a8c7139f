#include "app/LanguageFile.h"

#include "app/IniFile.h"

namespace plumex {

namespace {

constexpr std::string_view General = "General";
constexpr std::string_view Captions = "Captions";
constexpr std::string_view Messages = "Messages";

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// CR LF and any lone CR or LF become "\n", so a message always stays on its line.
std::string escapeLineBreaks(const std::string& message) {
    std::string out;
    for (std::size_t i = 0; i < message.size(); ++i) {
        char c = message[i];
        if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
        if (c == '\r' || c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

void writeOrDelete(IniFile& ini, std::string_view section, std::string_view key,
                   const std::string& value) {
    if (value.empty())
        ini.deleteKey(section, key);
    else
        ini.writeString(section, key, value);
}

} // namespace

std::optional<TLanguage> readLanguage(const IniFile& ini) {
    TLanguage language;
    language.Name = ini.readString(General, "Name", "");
    if (ini.readString(General, "Load", "yes") != "yes" || language.Name.empty())
        return std::nullopt;
    language.Base = ini.readString(General, "Base", "");
    for (int i = 0; i < CaptionCount; ++i)
        language.captions[i] = ini.readString(Captions, CaptionKeyNames[i], "");
    for (int j = 0; j < MessageCount; ++j)
        language.messages[j] =
            replaceAll(ini.readString(Messages, MessageKeyNames[j], ""), "\\n", "\r\n");
    return language;
}

std::optional<TLanguage> readLanguageFile(const std::string& path) {
    IniFile ini = IniFile::fromFile(path);
    if (ini.status() != IniFile::Status::Loaded) return std::nullopt;
    return readLanguage(ini);
}

bool writeLanguageTemplate(const std::string& path, const TLanguage& language) {
    IniFile ini = IniFile::fromFile(path);
    if (ini.status() == IniFile::Status::Unreadable) return false;
    ini.writeString(General, "Name", language.Name);
    writeOrDelete(ini, General, "Base", language.Base);
    ini.writeString(General, "Load", "no");
    for (int i = 0; i < CaptionCount; ++i)
        writeOrDelete(ini, Captions, CaptionKeyNames[i], language.captions[i]);
    for (int j = 0; j < MessageCount; ++j)
        writeOrDelete(ini, Messages, MessageKeyNames[j], escapeLineBreaks(language.messages[j]));
    return ini.save(path);
}

} // namespace plumex
