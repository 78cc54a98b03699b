#include "app/MachineIdentity.h"

#include <cctype>
#include <cmath>

namespace ruvo {
namespace {

bool IsUsable(const std::string& address) {
    return !address.empty() && address.find("00-00-00-00-00-00") == std::string::npos &&
           address.find("00-53-45-00-00-00") == std::string::npos;
}

std::string DateTimeIdentity(Clock& clock) {
    const LocalDateTime now = clock.LocalNow();
    const int random = static_cast<int>(std::floor(clock.Random() * 900)) + 100;
    std::string text;
    for (const int part : {now.year, now.month, now.day, now.hour, now.minute, now.second, random})
        text += std::to_string(part);
    return text;
}

}  // namespace

std::string MachineIdentity(NetworkAdapters& adapters, Clock& clock) {
    std::string address = adapters.FirstUsableHardwareAddress();
    for (char& c : address) c = c == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return IsUsable(address) ? address : DateTimeIdentity(clock);
}

}  // namespace ruvo
