// The engine's view of an address (scheme, host, the rest, an error text)
// in any shape: the link text is recovered without a crash.
#include "FuzzSupport.h"
#include "portal/LinkRecovery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = ruvo::fuzz::TextOf(data, size);
    ruvo::EngineUrl url;
    const size_t split = size ? data[0] % (size + 1) : 0;
    const size_t colon = text.find(':');
    url.scheme = std::string(text.substr(0, colon == std::string_view::npos ? 0 : colon));
    url.host = std::string(text.substr(0, split));
    url.afterHost = std::string(text.substr(split));
    url.encodedText = std::string(text);
    url.valid = size % 5 != 0;
    url.errorString = std::string(text);
    ruvo::RecoverLinkText(url);
    ruvo::DecodeUtf8Escapes(std::string(text));
    return 0;
}
