#pragma once
// Getting back the text a page wrote from what the web engine made of it.
// The engine parses what follows "//" as a host: a Chinese name becomes
// Punycode ("xn--..."), a number an IPv4 address ("3" -> "0.0.0.3"), a text
// with "&" an invalid address whose only trace is its error message, and
// non-ASCII characters elsewhere UTF-8 escapes.
#include <string>

namespace ruvo {

// The pieces of an engine address, taken from the engine's URL type.
struct EngineUrl {
    bool valid = true;
    std::string scheme;        // "eebovod"
    std::string host;          // as the engine holds it
    std::string afterHost;     // ":port", path, "?query" and "#fragment" as encoded text
    std::string encodedText;   // the whole address as encoded text
    std::string errorString;   // for an invalid address: holds source was "..."
};

// The address as the page wrote it. Ordinary (non-private) addresses come
// back as the engine encoded them.
std::string RecoverLinkText(const EngineUrl& url);

// Turns %XX runs that spell a non-ASCII UTF-8 character back into it;
// escapes of ASCII characters ("%3A") and anything else stay as written.
std::string DecodeUtf8Escapes(const std::string& text);

}  // namespace ruvo
