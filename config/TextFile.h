#pragma once
// Line-oriented text files in the legacy code page (GB18030 on disk, UTF-8 in
// memory), read and replaced whole.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/FileSystem.h"

namespace ruvo {

// Splits at CR LF, lone LF or lone CR. A final line break ends the last line
// and starts no new one: "A\r\n" is one line, "\r\n" one empty line, "" none.
std::vector<std::string> SplitLines(std::string_view text, size_t maxLines = SIZE_MAX);

// Reads and decodes a whole file into lines; nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path, size_t limit = kListFileLimit);

// Encodes `text` and replaces the file atomically; false on failure.
bool WriteTextFile(const std::string& path, std::string_view text);

}  // namespace ruvo
