#pragma once
// Little-endian readers and writers for the form block's encodings. The
// reader never reads past its end: every read checks the bytes left and a
// failed read leaves the reader marked failed, so a parser can run a whole
// sequence of reads and look at ok() once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace formhost {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

class ByteReader {
public:
    explicit ByteReader(ByteView data) : data_(data) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return ok_ ? data_.size() - pos_ : 0; }
    bool at_end() const { return remaining() == 0; }

    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint16_t u16();
    bool skip(std::size_t count);
    // Bytes that stay inside the reader's buffer.
    ByteView view(std::size_t count);
    // u32 length, then that many bytes.
    Bytes bytes();
    std::string text();
    // Bytes up to a zero byte, which is consumed.
    std::string zstring();

private:
    bool take(std::size_t count);

    ByteView data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void u32(std::uint32_t value);
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void u16(std::uint16_t value);
    void raw(ByteView data) { out_.insert(out_.end(), data.begin(), data.end()); }
    void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
    void bytes(ByteView data);
    void text(const std::string& value);
    void zstring(const std::string& value);

    std::size_t size() const { return out_.size(); }
    // Overwrites a u32 written earlier (a length known only later).
    void patch_u32(std::size_t at, std::uint32_t value);
    Bytes take() { return std::move(out_); }
    const Bytes& data() const { return out_; }

private:
    Bytes out_;
};

}  // namespace formhost
