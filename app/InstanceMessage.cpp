#include "app/InstanceMessage.h"

namespace ruvo {
namespace {

bool UsableToken(std::string_view token) {
    return !token.empty() && token.size() <= kMaxActivationTokenBytes && token.find('\n') == std::string_view::npos;
}

}  // namespace

std::string EncodeInstanceMessage(const InstanceMessage& message) {
    if (!UsableToken(message.token)) return std::string(kInstanceMagic) + message.commandLine;
    return std::string(kInstanceTokenMagic) + message.token + "\n" + message.commandLine;
}

std::optional<InstanceMessage> ParseInstanceMessage(std::string_view bytes) {
    if (bytes.substr(0, kInstanceTokenMagic.size()) == kInstanceTokenMagic) {
        const size_t end = bytes.find('\n', kInstanceTokenMagic.size());
        if (end == std::string_view::npos || end - kInstanceTokenMagic.size() > kMaxActivationTokenBytes)
            return std::nullopt;
        InstanceMessage message;
        message.token = std::string(bytes.substr(kInstanceTokenMagic.size(), end - kInstanceTokenMagic.size()));
        message.commandLine = std::string(bytes.substr(end + 1));
        return message;
    }
    if (bytes.substr(0, kInstanceMagic.size()) == kInstanceMagic)
        return InstanceMessage{"", std::string(bytes.substr(kInstanceMagic.size()))};
    return std::nullopt;
}

}  // namespace ruvo
