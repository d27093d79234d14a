#include "kind_data.h"

#include <algorithm>
#include <array>
#include <utility>

namespace formhost {
namespace {

class FieldReader {
public:
    FieldReader(ByteReader& in, std::uint32_t version) : in_(in), version_(version) {}

    void operator()(std::uint32_t& field, const FieldInfo& info) {
        if (present(info)) field = in_.u32();
    }
    void operator()(std::int32_t& field, const FieldInfo& info) {
        if (present(info)) field = in_.i32();
    }
    void operator()(bool& field, const FieldInfo& info) {
        if (present(info)) field = in_.u32() != 0;
    }
    void operator()(std::uint16_t& field, const FieldInfo& info) {
        if (present(info)) field = in_.u16();
    }
    void operator()(std::string& field, const FieldInfo& info) {
        if (present(info)) field = in_.text();
    }
    void operator()(Bytes& field, const FieldInfo& info) {
        if (present(info)) field = in_.bytes();
    }

private:
    // Version 0 is read like version 1.
    bool present(const FieldInfo& info) const { return std::max<std::uint32_t>(version_, 1) >= info.since; }

    ByteReader& in_;
    std::uint32_t version_;
};

class FieldWriter {
public:
    explicit FieldWriter(ByteWriter& out) : out_(out) {}

    void operator()(const std::uint32_t& field, const FieldInfo&) { out_.u32(field); }
    void operator()(const std::int32_t& field, const FieldInfo&) { out_.i32(field); }
    void operator()(const bool& field, const FieldInfo&) { out_.u32(field ? 1 : 0); }
    void operator()(const std::uint16_t& field, const FieldInfo&) { out_.u16(field); }
    void operator()(const std::string& field, const FieldInfo&) { out_.text(field); }
    void operator()(const Bytes& field, const FieldInfo&) { out_.bytes(field); }

private:
    ByteWriter& out_;
};

template <class Data> std::optional<KindData> read_as(ByteView bytes) {
    Data data;
    if (bytes.empty()) return data;
    ByteReader in(bytes);
    const std::uint32_t version = in.u32();
    if (!in.ok() || version > Data::highest_version) return std::nullopt;
    FieldReader reader(in, version);
    Data::visit(data, reader);
    if (!in.ok()) return std::nullopt;
    return data;
}

struct KindEntry {
    Kind kind;
    const char* name;
};
constexpr std::array<KindEntry, 7> kKinds{{
    {Kind::Window, "window"},
    {Kind::EditBox, "EditBox"},
    {Kind::PictureBox, "PicBox"},
    {Kind::Canvas, "DrawPanel"},
    {Kind::Label, "Label"},
    {Kind::Button, "Button"},
    {Kind::Timer, "Timer"},
}};

}  // namespace

std::optional<KindData> default_kind_data(std::uint32_t kind_code) {
    switch (static_cast<Kind>(kind_code)) {
        case Kind::Window: return WindowData{};
        case Kind::EditBox: return EditBoxData{};
        case Kind::PictureBox: return PictureBoxData{};
        case Kind::Canvas: return CanvasData{};
        case Kind::Label: return LabelData{};
        case Kind::Button: return ButtonData{};
        case Kind::Timer: return TimerData{};
    }
    return std::nullopt;
}

std::optional<KindData> read_kind_data(std::uint32_t kind_code, ByteView data) {
    auto defaults = default_kind_data(kind_code);
    if (!defaults) return std::nullopt;
    return std::visit([&](auto& d) { return read_as<std::decay_t<decltype(d)>>(data); }, *defaults);
}

Bytes write_kind_data(const KindData& data) {
    ByteWriter out;
    std::visit(
        [&](const auto& d) {
            out.u32(d.highest_version);
            FieldWriter writer(out);
            d.visit(d, writer);
        },
        data);
    return out.take();
}

Kind kind_of(const KindData& data) {
    return std::visit([](const auto& d) { return d.kind; }, data);
}

const char* kind_name(Kind kind) {
    for (const auto& entry : kKinds)
        if (entry.kind == kind) return entry.name;
    return "";
}

std::optional<Kind> kind_from_name(std::string_view name) {
    for (const auto& entry : kKinds)
        if (name == entry.name) return entry.kind;
    return std::nullopt;
}

}  // namespace formhost
