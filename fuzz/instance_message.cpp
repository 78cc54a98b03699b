// What a peer sends the running instance: any bytes parse or are refused,
// and a parsed message encodes to one that parses the same.
#include "FuzzSupport.h"
#include "app/InstanceMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto message = ruvo::ParseInstanceMessage(ruvo::fuzz::TextOf(data, size))) {
        const auto again = ruvo::ParseInstanceMessage(ruvo::EncodeInstanceMessage(*message));
        ruvo::fuzz::Require(again && again->commandLine == message->commandLine);
    }
    return 0;
}
