#pragma once
// Walking UTF-8 text by code point, and writing code points back, for the
// helpers that count characters the way the page script and the lists do.
#include <cstddef>
#include <string>
#include <string_view>

namespace ruvo {

// Decodes the code point at text[pos] and advances pos. A byte that does not
// start a well-formed sequence is returned as itself (0x80..0xFF) and skipped.
char32_t NextCodePoint(std::string_view text, size_t& pos);

// Appends a code point as UTF-8 (lone surrogates too, so escapes round-trip).
void AppendCodePoint(std::string& out, char32_t code);

}  // namespace ruvo
