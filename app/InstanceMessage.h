#pragma once
// The one message a second start sends the running instance: a header, the
// launcher's activation token when there is one, and the raw command line.
#include <optional>
#include <string>
#include <string_view>

namespace ruvo {

inline constexpr std::string_view kInstanceMagic = "RUVO-BA1\n";
// With a token: this header, the token, a line break, the command line.
inline constexpr std::string_view kInstanceTokenMagic = "RUVO-BA1+TOKEN\n";
inline constexpr size_t kMaxActivationTokenBytes = 1024;

struct InstanceMessage {
    std::string token;  // "" when the second start had none
    std::string commandLine;
};

// The bytes to send; a token with a line break or over the limit is left out.
std::string EncodeInstanceMessage(const InstanceMessage& message);
// Nothing when the bytes are not such a message.
std::optional<InstanceMessage> ParseInstanceMessage(std::string_view bytes);

}  // namespace ruvo
