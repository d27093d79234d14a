#include "byte_io.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace formhost {

bool ByteReader::take(std::size_t count) {
    if (!ok_ || count > data_.size() - pos_) {
        ok_ = false;
        return false;
    }
    pos_ += count;
    return true;
}

std::uint32_t ByteReader::u32() {
    const std::size_t at = pos_;
    if (!take(4)) return 0;
    return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
           static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
}

std::uint16_t ByteReader::u16() {
    const std::size_t at = pos_;
    if (!take(2)) return 0;
    return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
}

bool ByteReader::skip(std::size_t count) { return take(count); }

ByteView ByteReader::view(std::size_t count) {
    const std::size_t at = pos_;
    if (!take(count)) return {};
    return data_.subspan(at, count);
}

Bytes ByteReader::bytes() {
    const std::uint32_t length = u32();
    const ByteView v = view(length);
    return Bytes(v.begin(), v.end());
}

std::string ByteReader::text() {
    const std::uint32_t length = u32();
    const ByteView v = view(length);
    return std::string(v.begin(), v.end());
}

std::string ByteReader::zstring() {
    if (!ok_) return {};
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(pos_);
    const auto zero = std::find(begin, data_.end(), std::uint8_t{0});
    if (zero == data_.end()) {
        ok_ = false;
        return {};
    }
    std::string value(begin, zero);
    pos_ += value.size() + 1;
    return value;
}

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::u16(std::uint16_t value) {
    out_.push_back(static_cast<std::uint8_t>(value));
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
}

static std::uint32_t checked_length(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("form block field over 4 GiB");
    return static_cast<std::uint32_t>(size);
}

void ByteWriter::bytes(ByteView data) {
    u32(checked_length(data.size()));
    raw(data);
}

void ByteWriter::text(const std::string& value) {
    u32(checked_length(value.size()));
    out_.insert(out_.end(), value.begin(), value.end());
}

void ByteWriter::zstring(const std::string& value) {
    // A zero byte inside would end the string early on reading.
    if (value.find('\0') != std::string::npos) throw std::invalid_argument("zero byte inside a zero-ended string");
    out_.insert(out_.end(), value.begin(), value.end());
    out_.push_back(0);
}

void ByteWriter::patch_u32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out_.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace formhost
