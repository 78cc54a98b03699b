// The portal's episode reply "label$address$kind" in any shape.
#include "FuzzSupport.h"
#include "playback/EpisodeLookup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ruvo::ParseEpisodeReply(std::string(ruvo::fuzz::TextOf(data, size)));
    return 0;
}
