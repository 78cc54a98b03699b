#pragma once
// The INI-format settings file "config.dll". Every read and write is one
// complete call on the file by name; nothing is cached, so a value written by
// the settings dialog is seen by the next reader.
//
// Section and key names match without regard to ASCII letter case; a key that
// is missing (or a missing file or section) reads as the default, a key with an
// empty value reads as ""; a value is cut to its first 254 bytes (in the
// file's code page, never inside a character).
#include <string>
#include <string_view>

namespace ruvo {

inline constexpr size_t kMaxSettingBytes = 254;

std::string ReadSetting(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultValue);

// Replaces the key's value in place, or appends the key to the end of its
// section, or appends the section to the end of the file (creating the file
// when needed). The file is replaced atomically; false when that fails.
// Line breaks in the value are dropped so a value never becomes a new line.
bool WriteSetting(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

}  // namespace ruvo
