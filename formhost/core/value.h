#pragma once
// Values that routines and the host exchange through properties and
// commands. Texts are GB18030 bytes (GBK for every character GBK has); the
// empty text and the empty byte set also stand for an absent value.

#include <cstdint>
#include <string>
#include <variant>

#include "byte_io.h"

namespace formhost {

struct WindowRef {
    std::uint32_t window = 0;
    std::uint32_t control = 0;
    bool operator==(const WindowRef&) const = default;
};

using Value = std::variant<std::monostate, std::int32_t, std::int64_t, double, bool, std::string, Bytes, WindowRef>;

// Conversions a property write applies to whatever value it was given.
std::int32_t to_int(const Value& value);
bool to_bool(const Value& value);
std::string to_text(const Value& value);
Bytes to_bytes(const Value& value);

}  // namespace formhost
