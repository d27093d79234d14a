#pragma once
// Reading and writing the store's files. Names are host texts relative to
// the current directory; they reach the system through the host's own
// conversion and its wide-character API, so the store is found on any system
// code page.

#include <initializer_list>
#include <string_view>

#include "store/text_bytes.h"

namespace store {

// The whole file, or the empty byte set on any failure, a file too large to
// be held included. Opens for reading with read sharing only and never
// creates the file; a file held without sharing is waited for a quarter of a
// second at most.
Bytes read_file(std::string_view name);

// Replaces the file's content with the byte sets one after another. The new
// content goes to a temporary file beside it, named no longer than the file
// itself (the next free name when one is left over from a save that never
// ended), which then takes the file's place in one step: true only when the
// new content is in place; on any failure the file is exactly as it was and
// no temporary file is left. A
// missing directory gives false and creates nothing. A reader holding the
// file open makes the save fail at once; nobody waits.
bool write_file(std::string_view name, std::initializer_list<ByteView> parts);

}  // namespace store
