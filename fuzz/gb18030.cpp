// The legacy code page: any bytes decode, and encoding what was decoded gives
// the same bytes back (a damaged line survives a rewrite).
#include "FuzzSupport.h"
#include "base/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = ruvo::fuzz::TextOf(data, size);
    ruvo::fuzz::Require(ruvo::EncodeGb18030(ruvo::DecodeGb18030(bytes)) == bytes);
    ruvo::DecodeReplyText(bytes);
    return 0;
}
