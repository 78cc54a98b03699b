#include "playback/TrackNames.h"

#include <array>
#include <string_view>
#include <utility>

#include "base/BidiControls.h"
#include "base/Utf8Cut.h"

namespace ruvo {
namespace {

constexpr size_t kNameCharacters = 40;

// ISO 639 codes files commonly carry, both the two- and three-letter forms.
constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kLanguages{{
    {"chi", "中文"}, {"zho", "中文"}, {"zh", "中文"}, {"chs", "简体中文"}, {"cht", "繁體中文"}, {"yue", "粤语"},
    {"eng", "英语"}, {"en", "英语"}, {"jpn", "日语"}, {"ja", "日语"}, {"kor", "韩语"}, {"ko", "韩语"},
    {"fre", "法语"}, {"fra", "法语"}, {"ger", "德语"}, {"deu", "德语"}, {"rus", "俄语"}, {"spa", "西班牙语"},
}};

std::string LanguageName(const std::string& code) {
    for (const auto& [known, name] : kLanguages)
        if (code == known) return std::string(name);
    return code;
}

// Control characters (line breaks, escapes) become spaces.
std::string PlainLine(const std::string& text) {
    return CutToCharacters(ShownText(text), kNameCharacters);
}

}  // namespace

std::string TrackName(const MediaTrack& track) {
    const std::string title = PlainLine(track.title);
    const std::string language = PlainLine(LanguageName(track.language));
    if (!title.empty() && !language.empty() && title != language) return title + " (" + language + ")";
    if (!title.empty()) return title;
    if (!language.empty()) return language;
    return (track.kind == TrackKind::Audio ? "音轨 " : "字幕 ") + std::to_string(track.id);
}

std::string TrackChoiceText(TrackKind kind, const MediaTrack* track) {
    const std::string what = kind == TrackKind::Audio ? "音轨：" : "字幕：";
    return what + (track ? TrackName(*track) : "关闭");
}

}  // namespace ruvo
