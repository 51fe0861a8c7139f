#include "app/IniFile.h"

#include "app/NumberText.h"
#include "model/FileBytes.h"

#include <cstdint>
#include <span>
#include <stdexcept>

// The library's definitions are compiled here; char data needs no conversion.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace plumex {

struct IniFile::Impl {
    CSimpleIniA ini{false, true, false}; // no UTF-8 checks, duplicate keys kept, no multi-line
    Impl() { ini.SetSpaces(false); }
};

IniFile::IniFile() : impl_(std::make_unique<Impl>()) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

namespace {

std::string str(std::string_view s) {
    return std::string(s);
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false; // no devices or pipes
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > IniFile::MaxFileSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.resize(size);
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

} // namespace

IniFile IniFile::fromFile(const std::string& path) {
    IniFile file;
    std::error_code ec;
    bool present = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    if (!present) return file;
    std::string bytes;
    if (!readWholeFile(path, bytes) || file.impl_->ini.LoadData(bytes) < 0) {
        file.impl_->ini.Reset();
        file.status_ = Status::Unreadable;
        return file;
    }
    file.status_ = Status::Loaded;
    return file;
}

IniFile IniFile::fromText(std::string_view text) {
    IniFile file;
    file.status_ = file.impl_->ini.LoadData(text.data(), text.size()) < 0 ? Status::Unreadable
                                                                          : Status::Loaded;
    return file;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const char* value = impl_->ini.GetValue(str(section).c_str(), str(key).c_str(), nullptr);
    return value ? std::string(value) : std::string(def);
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key, int32_t def) const {
    if (!hasKey(section, key)) return def;
    return parseInteger(readString(section, key, "")).value_or(def);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::readDecimal(std::string_view section, std::string_view key, double current) const {
    return parseDecimal(readString(section, key, formatDecimal(current))).value_or(current);
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return impl_->ini.GetValue(str(section).c_str(), str(key).c_str(), nullptr) != nullptr;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    CSimpleIniA::TNamesDepend names;
    impl_->ini.GetAllKeys(str(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> result;
    for (const auto& entry : names) result.emplace_back(entry.pItem);
    return result;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
    // Without duplicates allowed, the first entry of the key is updated in place: its
    // spelling and its position in the file stay.
    impl_->ini.SetMultiKey(false);
    bool ok = impl_->ini.SetValue(str(section).c_str(), str(key).c_str(), str(value).c_str()) >= 0;
    impl_->ini.SetMultiKey(true);
    return ok;
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int64_t value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::writeDecimal(std::string_view section, std::string_view key, double value) {
    writeString(section, key, formatDecimal(value));
}

void IniFile::deleteKey(std::string_view section, std::string_view key) {
    impl_->ini.Delete(str(section).c_str(), str(key).c_str(), false);
}

std::string IniFile::text() const {
    std::string out;
    impl_->ini.Save(out, false);
    return out;
}

bool IniFile::save(const std::string& path) const {
    if (status_ == Status::Unreadable) return false;
    const std::string bytes = text();
    try {
        writeFileAtomically(
            path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        return true;
    } catch (const std::exception&) {
        return false; // the previous file is left as it was
    }
}

} // namespace plumex
