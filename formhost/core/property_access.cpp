#include "property_access.h"

namespace formhost {
namespace {

// Visits the one field that holds `property` with `action(field, info)`.
template <class Data, class Action> bool with_field(Data& data, int property, Action&& action) {
    bool found = false;
    auto visitor = [&](auto& field, const FieldInfo& info) {
        if (!found && info.property == property) {
            found = true;
            action(field, info);
        }
    };
    return std::visit(
        [&](auto& d) {
            d.visit(d, visitor);
            return found;
        },
        data);
}

struct Reader {
    std::optional<Value>& out;
    void operator()(const std::uint32_t& f, const FieldInfo&) const { out = static_cast<std::int32_t>(f); }
    void operator()(const std::int32_t& f, const FieldInfo&) const { out = f; }
    void operator()(const bool& f, const FieldInfo&) const { out = f; }
    void operator()(const std::uint16_t& f, const FieldInfo&) const {
        std::string s;
        if (f > 0xFF) s += static_cast<char>(f >> 8);
        if (f != 0) s += static_cast<char>(f & 0xFF);
        out = s;
    }
    void operator()(const std::string& f, const FieldInfo&) const { out = f; }
    void operator()(const Bytes& f, const FieldInfo&) const { out = f; }
};

struct Writer {
    const Value& value;
    void operator()(std::uint32_t& f, const FieldInfo& info) const {
        std::int32_t v = to_int(value);
        if (info.type == FieldType::Choice && v < 0) v = 0;
        f = static_cast<std::uint32_t>(v);
    }
    void operator()(std::int32_t& f, const FieldInfo&) const { f = to_int(value); }
    void operator()(bool& f, const FieldInfo&) const { f = to_bool(value); }
    void operator()(std::uint16_t& f, const FieldInfo&) const {
        const std::string s = to_text(value);
        f = s.empty() ? 0 : static_cast<std::uint8_t>(s[0]);
    }
    void operator()(std::string& f, const FieldInfo&) const { f = to_text(value); }
    void operator()(Bytes& f, const FieldInfo&) const { f = to_bytes(value); }
};

}  // namespace

std::optional<FieldInfo> property_field(const KindData& data, int property) {
    std::optional<FieldInfo> result;
    with_field(data, property, [&](const auto&, const FieldInfo& info) { result = info; });
    return result;
}

std::optional<Value> read_property_field(const KindData& data, int property) {
    std::optional<Value> result;
    with_field(data, property, [&](const auto& field, const FieldInfo& info) { Reader{result}(field, info); });
    return result;
}

bool write_property_field(KindData& data, int property, const Value& value) {
    return with_field(data, property, [&](auto& field, const FieldInfo& info) { Writer{value}(field, info); });
}

}  // namespace formhost
