#include "playback/PlayItem.h"

#include "base/TextWidth.h"

namespace ruvo {

std::string TitleLineOf(const PlayItem& item) {
    if (item.kind == ItemKind::None) return {};
    std::string line = TruncateToWidth(item.name, kTitleLineWidth);
    if (item.kind == ItemKind::PortalEpisode) line += "-" + item.label;
    return line;
}

}  // namespace ruvo
