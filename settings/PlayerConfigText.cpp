#include "settings/PlayerConfigText.h"

namespace ruvo {
namespace {

std::string Attribute(const std::string& folder) { return "Defaultsavepath=\"" + folder + "\""; }

}  // namespace

std::string ReplaceSavePath(const std::string& configText, const std::string& from, const std::string& to) {
    const std::string old = Attribute(from);
    const std::string replacement = Attribute(to);
    if (configText.find(old) == std::string::npos) {
        const std::string element = "<QvodPlayer " + replacement + " />\r\n";
        if (configText.find_first_not_of("\r\n") == std::string::npos)
            return "<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n" + element;
        // Whatever else the file holds stays; the new attribute follows it.
        const bool endsWithLine = configText.size() >= 2 && configText.ends_with("\r\n");
        return configText + (endsWithLine ? "" : "\r\n") + element;
    }
    std::string text = configText;
    for (size_t at = 0; (at = text.find(old, at)) != std::string::npos; at += replacement.size())
        text.replace(at, old.size(), replacement);
    return text;
}

}  // namespace ruvo
