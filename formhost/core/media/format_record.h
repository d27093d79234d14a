#pragma once
// The format record handed to waveOutOpen, made from a "fmt " chunk body.

#include <vector>

#include "formhost/core/byte_io.h"

namespace formhost::media {

// A WAVEFORMATEX as bytes. A 16-byte body (PCMWAVEFORMAT, which has no cbSize
// field) gets cbSize 0; a longer body is taken as it is, except that a cbSize
// promising more extra bytes than the chunk holds is cut to what is there, so
// the device never reads past the record. Empty when the body is shorter than
// 16 bytes.
Bytes format_record(ByteView fmt_body);

}  // namespace formhost::media
