// The page escapes: any text unescapes, and escaping then unescaping valid
// text gives it back.
#include "FuzzSupport.h"
#include "base/JsEscape.h"
#include "base/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = ruvo::fuzz::TextOf(data, size);
    ruvo::JsUnescape(text);
    if (ruvo::IsValidUtf8(text)) ruvo::fuzz::Require(ruvo::JsUnescape(ruvo::JsEscape(text)) == text);
    return 0;
}
