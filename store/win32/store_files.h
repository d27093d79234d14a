#pragma once
// Reading and writing the store's files. Names are host texts relative to
// the program's folder, whatever the current directory is (a program kept in
// a folder too long to be made current still finds its store); they reach
// the system through the host's own conversion and its wide-character API,
// so the store is found on any system code page. Outside a program of the
// host (the store's own tests) they are relative to the current directory.

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

// The path the system is given for a name: an absolute name as it is, a
// relative one under the program's folder, in the system's long form.
std::wstring path_of(std::string_view name);

}  // namespace store
