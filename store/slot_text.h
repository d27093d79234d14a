#pragma once
// How a slot file's bytes become the slot's text. The programs write GB18030
// (GBK for every character GBK has); a file written by hand may be UTF-8
// instead, which is what Notepad on Windows 10 and 11 saves by default:
// - a file that begins with the UTF-8 byte-order mark is UTF-8;
// - otherwise a file that is well-formed UTF-8 and holds at least one three-
//   or four-byte sequence is UTF-8: Chinese text is three bytes a character
//   in UTF-8, while GB18030 text is almost never well-formed UTF-8 with such
//   a sequence (the README has the figures);
// - everything else is GB18030.
// The text ends at the first zero byte, as to_text says, either way.

#include "store/text_bytes.h"

namespace store {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when the bytes (already cut at their first zero) are read as UTF-8.
bool reads_as_utf8(std::string_view bytes);

// The slot's text as GB18030 bytes. A file read as UTF-8 whose bytes are not
// all well-formed (a marked file damaged later) keeps each bad byte as
// U+FFFD, so what is left still shows.
std::string slot_text(ByteView data);

}  // namespace store
