#pragma once
// INI-file access in the manner of the platform profile functions: sections and keys
// match without regard to case, values are trimmed, the first of duplicate keys counts,
// and keys and sections that the program does not write stay as they were.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

class IniFile {
public:
    enum class Status {
        Missing,   // no such file: starts empty and may be created
        Loaded,    // read and parsed
        Unreadable // exists but cannot be read (or is too large): never overwritten
    };

    // Larger files are refused rather than held in memory.
    static constexpr std::size_t MaxFileSize = 64u << 20;

    IniFile();
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    static IniFile fromFile(const std::string& path);
    static IniFile fromText(std::string_view text);

    Status status() const { return status_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // An integer that does not parse yields the default.
    int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;
    // An integer, true when non-zero.
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    // A decimal with "." or ","; a value that does not convert keeps the current one.
    double readDecimal(std::string_view section, std::string_view key, double current) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // Key names of a section as the file spells them.
    std::vector<std::string> keys(std::string_view section) const;

    // Values that hold a line break cannot be stored in a line per key and are refused.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int64_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    void writeDecimal(std::string_view section, std::string_view key, double value);
    void deleteKey(std::string_view section, std::string_view key);

    std::string text() const;
    // Refuses to replace a file that could not be read, so its content is never lost.
    bool save(const std::string& path) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    Status status_ = Status::Missing;
};

} // namespace plumex
