#include "app/SettingsFile.h"

#include <optional>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

namespace ruvo {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
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

// Where a key lives in the file's lines.
struct KeyPlace {
    std::optional<size_t> sectionLine;  // the "[section]" line
    std::optional<size_t> keyLine;      // the "key=value" line
    size_t lastContentLine = 0;         // last non-blank line of the section
};

KeyPlace FindKey(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    KeyPlace place;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            if (place.sectionLine) break;  // the first matching section ends here
            inSection = SameName(*name, section);
            if (inSection) place.sectionLine = place.lastContentLine = i;
            continue;
        }
        if (!inSection) continue;
        if (!Trim(lines[i]).empty()) place.lastContentLine = i;
        const auto entry = EntryOf(lines[i]);
        if (entry && SameName(entry->first, key)) {
            place.keyLine = i;
            break;
        }
    }
    return place;
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

}  // namespace

void SettingsFile::Refresh() {
    // Identity first, then the bytes: a change in between is caught next time.
    const FileIdentity onDisk = IdentityOf(path_);
    if (loaded_ && onDisk == heldVersion_) return;
    lines_ = onDisk.exists ? ReadTextFileLines(path_, kSettingsFileLimit) : std::vector<std::string>{};
    heldVersion_ = onDisk;
    loaded_ = true;
}

std::string SettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) {
    Refresh();
    if (!lines_) return CutToLimit(defaultValue);
    const KeyPlace place = FindKey(*lines_, section, key);
    if (!place.keyLine) return CutToLimit(defaultValue);
    return CutToLimit(EntryOf((*lines_)[*place.keyLine])->second);
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    if (!lines_) return false;  // unreadable: never replace what we could not read
    std::vector<std::string> lines = *lines_;
    const std::string entry = std::string(key) + "=" + WithoutLineBreaks(value);
    const KeyPlace place = FindKey(lines, section, key);
    if (place.keyLine) {
        const auto old = EntryOf(lines[*place.keyLine]);
        lines[*place.keyLine] = std::string(old->first) + "=" + WithoutLineBreaks(value);
    } else if (place.sectionLine) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.lastContentLine + 1), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    if (!WriteTextFile(path_, JoinWithCrLf(lines))) return false;
    lines_ = std::move(lines);
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
