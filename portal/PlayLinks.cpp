#include "portal/PlayLinks.h"

#include "base/LinkText.h"
#include "base/NumberText.h"
#include "history/HistoryRecords.h"

namespace ruvo {

EpisodePlay EpisodePlayOfLink(const std::string& url) {
    const auto fields = SplitText(TrimLink(url, "eeqvod://"), "&&&");
    const PortalEpisode episode{std::to_string(TextToInt(FieldAt(fields, 4))), FieldAt(fields, 5), FieldAt(fields, 6),
                                UnescapedName(FieldAt(fields, 2))};
    return {episode, UnescapedName(FieldAt(fields, 3)), FieldAt(fields, 1), FieldAt(fields, 0)};
}

PortalEpisode EpisodeOfLink(const std::string& url) {
    const auto fields = SplitText(TrimLink(url, "eebovod://"), "-");
    return {std::to_string(TextToInt(FieldAt(fields, 0))), FieldAt(fields, 1), FieldAt(fields, 2),
            UnescapedName(FieldAt(fields, 3))};
}

TelevisionPlay TelevisionOfLink(const std::string& url) {
    const auto fields = SplitText(TrimLink(url, "eetvs://"), "&&&");
    return {FieldAt(fields, 0), FieldAt(fields, 1)};
}

}  // namespace ruvo
