#pragma once
// The INI-format settings file "config.dll", parsed once and held: the
// program reads settings on every status tick and some twenty at start, and
// a large file read and decoded for each was a second's work. Writes go
// through the same object, which replaces the file atomically and keeps what
// it wrote. A file replaced or edited by someone else since (its identity
// on disk differs) is read again at the next call, so hand edits still count.
//
// Section and key names match without regard to ASCII letter case; a key that
// is missing (or a missing file or section) reads as the default, a key with an
// empty value reads as ""; a value is cut to its first 254 bytes (in the
// file's code page, never inside a character).
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/FileSystem.h"

namespace ruvo {

inline constexpr size_t kMaxSettingBytes = 254;

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue);
    // As WriteSetting below; what is held changes only when the file did.
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    const std::string& Path() const { return path_; }

private:
    // Where a section's lines are: the first section of each name counts.
    struct SectionPlace {
        size_t lastContentLine = 0;  // its last non-blank line (or its "[section]" line): a new key goes after it
        std::unordered_map<std::string, size_t> keys;  // folded key name: its first line
    };
    struct KeyPlace {
        const SectionPlace* section = nullptr;
        std::optional<size_t> keyLine;
    };

    // Reads the file again when it is not the version held.
    void Refresh();
    // Every read would otherwise scan the lines: a large file took 0.2 ms a key.
    void IndexLines();
    KeyPlace Find(std::string_view section, std::string_view key) const;

    std::string path_;
    bool loaded_ = false;
    FileIdentity heldVersion_;
    // The lines as they are on disk (GB18030); nothing: the file exists but cannot be read.
    std::optional<std::vector<std::string>> lines_;
    std::unordered_map<std::string, SectionPlace> sections_;  // by folded name
};

// One-shot use of the file by name, for tools and tests.

std::string ReadSetting(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultValue);

// Replaces the key's value in place, or appends the key to the end of its
// section, or appends the section to the end of the file (creating the file
// when needed). The file is replaced atomically; false when that fails.
// Line breaks in the value are dropped so a value never becomes a new line.
bool WriteSetting(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

}  // namespace ruvo
