#include "config/SettingsFile.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/TextCodec.h"
#include "config/FileSystem.h"
#include "config/TextFile.h"  // SplitLines

namespace ruvo {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Names match without regard to ASCII letter case.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// Splits a "key=value" line; nothing for lines without "=".
std::optional<std::pair<std::string_view, std::string_view>> EntryOf(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return std::pair{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// The value cut to the byte limit at a character boundary.
std::string CutToLimit(std::string_view value) {
    if (EncodeGb18030(value).size() <= kMaxSettingBytes) return std::string(value);
    std::string cut;
    size_t bytes = 0;
    for (size_t pos = 0; pos < value.size();) {
        size_t length = 1;
        IsGbkDoubleByte(value, pos, length);
        const size_t encoded = EncodeGb18030(value.substr(pos, length)).size();
        if (bytes + encoded > kMaxSettingBytes) break;
        cut.append(value.substr(pos, length));
        bytes += encoded;
        pos += length;
    }
    return cut;
}

std::string WithoutLineBreaks(std::string_view value) {
    std::string clean;
    for (const char c : value)
        if (c != '\r' && c != '\n') clean += c;
    return clean;
}

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

// The file is held as its lines' bytes and only what is looked at is
// decoded: a line's structure ("[", "]", "=", blanks) can be found in the
// bytes themselves, as no GB18030 character holds an ASCII byte but those
// of its last two positions, which are never these. Names with other bytes
// than ASCII are decoded to be matched; values when read.
void SettingsFile::IndexLines() {
    sections_.clear();
    if (!lines_) return;
    SectionPlace* current = nullptr;  // only the first section of a name counts
    for (size_t i = 0; i < lines_->size(); ++i) {
        const std::string& line = (*lines_)[i];
        if (auto name = SectionOf(line)) {
            const std::string decoded = IsAscii(*name) ? std::string() : DecodeGb18030(line);
            if (!decoded.empty()) name = SectionOf(decoded);
            const auto [place, added] = sections_.try_emplace(FoldedName(*name), SectionPlace{i, {}});
            current = added ? &place->second : nullptr;
            continue;
        }
        if (!current) continue;
        if (!Trim(line).empty()) current->lastContentLine = i;
        const auto entry = EntryOf(line);
        if (!entry) continue;
        current->keys.try_emplace(FoldedName(IsAscii(entry->first) ? std::string(entry->first)
                                                                   : std::string(Trim(DecodeGb18030(entry->first)))),
                                  i);
    }
}

SettingsFile::KeyPlace SettingsFile::Find(std::string_view section, std::string_view key) const {
    const auto place = sections_.find(FoldedName(section));
    if (place == sections_.end()) return {};
    const auto entry = place->second.keys.find(FoldedName(key));
    return {&place->second, entry == place->second.keys.end() ? std::nullopt : std::optional<size_t>(entry->second)};
}

void SettingsFile::Refresh() {
    // Identity first, then the bytes: a change in between is caught next time.
    const FileIdentity onDisk = IdentityOf(path_);
    if (loaded_ && onDisk == heldVersion_) return;
    lines_.reset();
    if (!onDisk.exists) lines_.emplace();
    else if (const auto bytes = ReadWholeFile(path_, kSettingsFileLimit)) lines_ = SplitLines(*bytes);
    IndexLines();
    heldVersion_ = onDisk;
    loaded_ = true;
}

std::string SettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) {
    Refresh();
    if (!lines_) return CutToLimit(defaultValue);
    const KeyPlace place = Find(section, key);
    if (!place.keyLine) return CutToLimit(defaultValue);
    return CutToLimit(DecodeGb18030(EntryOf((*lines_)[*place.keyLine])->second));
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    if (!lines_) return false;  // unreadable: never replace what we could not read
    const std::string encodedValue = EncodeGb18030(WithoutLineBreaks(value));
    std::vector<std::string> lines = *lines_;
    const KeyPlace place = Find(section, key);
    if (place.keyLine) {
        const auto old = EntryOf(lines[*place.keyLine]);
        std::string replaced = std::string(old->first) + "=" + encodedValue;
        // The same line again: the file would come out byte for byte as it is.
        if (replaced == lines[*place.keyLine]) return true;
        lines[*place.keyLine] = std::move(replaced);
    } else {
        std::string entry = EncodeGb18030(key) + "=" + encodedValue;
        if (place.section) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.section->lastContentLine + 1), std::move(entry));
        } else {
            lines.push_back("[" + EncodeGb18030(section) + "]");
            lines.push_back(std::move(entry));
        }
    }
    if (!ReplaceFileAtomically(path_, JoinWithCrLf(lines))) return false;
    lines_ = std::move(lines);
    IndexLines();
    heldVersion_ = IdentityOf(path_);
    return true;
}

std::string ReadSetting(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
    return SettingsFile(path).Read(section, key, defaultValue);
}

bool WriteSetting(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    return SettingsFile(path).Write(section, key, value);
}

}  // namespace ruvo
