#pragma once
// Conversion between the program's internal text (UTF-8) and the legacy code
// page of its files. The files are GBK; they are read and written as GB18030,
// the superset of GBK, so a GBK file reads byte for byte the same and a
// character outside GBK is still stored without loss.
//
// Decoding never fails: a byte that is not valid GB18030 is carried through as
// an escape (the UTF-8 form of U+DC80 + byte, as Python's "surrogateescape"
// does), and encoding turns such an escape back into the very same byte. So a
// damaged line survives a read-modify-write of its file unchanged.
#include <string>
#include <string_view>

namespace ruvo {

// GB18030 bytes to UTF-8 text; invalid bytes become escapes (see above).
std::string DecodeGb18030(std::string_view bytes);

// UTF-8 text to GB18030 bytes; escapes become their original bytes. Bytes that
// are not valid UTF-8 are written unchanged.
std::string EncodeGb18030(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// A reply body as text: UTF-8 when it is valid UTF-8, else GB18030 (GBK).
std::string DecodeReplyText(std::string_view bytes);

// True when the character starting at text[pos] takes two bytes in GBK.
// `length` receives the character's length in UTF-8 bytes (at least 1).
bool IsGbkDoubleByte(std::string_view text, size_t pos, size_t& length);

}  // namespace ruvo
