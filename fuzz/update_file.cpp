// The portal's update file in any shape.
#include "FuzzSupport.h"
#include "app/UpdateCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto update = ruvo::ParseUpdateFile(std::string(ruvo::fuzz::TextOf(data, size))))
        ruvo::IsOfferedAtStart(update->latestVersion);
    return 0;
}
