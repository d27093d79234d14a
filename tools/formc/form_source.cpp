#include "form_source.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <set>

#include "formhost/core/event_indexes.h"
#include "formhost/core/font_record.h"
#include "formhost/core/kind_data.h"
#include "formhost/core/window_class_names.h"
#include "gbk.h"

namespace formc {
namespace {

using json = nlohmann::ordered_json;
using formhost::Bytes;
using formhost::FieldInfo;
using formhost::FieldType;
using formhost::Kind;

// Where in the source we are, for messages.
struct Place {
    const std::filesystem::path& file;
    std::string where;

    [[noreturn]] void fail(const std::string& field, const std::string& message) const {
        std::string text = file.string() + ": " + where;
        if (!field.empty()) text += ", field '" + field + "'";
        throw SourceError(text + ": " + message);
    }
};

// Numbers may be written as JSON integers or as strings such as "0x52010001".
std::int64_t integer(const Place& at, const json& value, const std::string& field, std::int64_t lo, std::int64_t hi) {
    std::int64_t n = 0;
    if (value.is_number_integer()) {
        n = value.get<std::int64_t>();
    } else if (value.is_number_unsigned()) {
        n = static_cast<std::int64_t>(std::min<std::uint64_t>(value.get<std::uint64_t>(), INT64_MAX));
    } else if (value.is_string()) {
        const std::string s = value.get<std::string>();
        std::size_t used = 0;
        try {
            n = std::stoll(s, &used, 0);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != s.size()) at.fail(field, "'" + s + "' is not a number");
    } else {
        at.fail(field, "a number is needed");
    }
    if (n < lo || n > hi) at.fail(field, std::to_string(n) + " is out of range");
    return n;
}

std::uint32_t u32(const Place& at, const json& value, const std::string& field) {
    return static_cast<std::uint32_t>(integer(at, value, field, 0, 0xFFFFFFFF));
}

std::int32_t i32(const Place& at, const json& value, const std::string& field) {
    return static_cast<std::int32_t>(integer(at, value, field, INT32_MIN, INT32_MAX));
}

bool flag(const Place& at, const json& value, const std::string& field) {
    if (!value.is_boolean()) at.fail(field, "true or false is needed");
    return value.get<bool>();
}

std::string gbk(const Place& at, const json& value, const std::string& field) {
    if (!value.is_string()) at.fail(field, "a text is needed");
    auto converted = utf8_to_gbk(value.get<std::string>());
    if (!converted) at.fail(field, "the text cannot be written in GBK");
    if (converted->find('\0') != std::string::npos) at.fail(field, "the text holds a zero character");
    return *converted;
}

class Compiler {
public:
    explicit Compiler(const std::filesystem::path& source) : source_(source) {}

    CompiledForm run() {
        const json root = load();
        const Place top{source_, "form"};
        check_keys(top, root, {"routines", "windows"});
        if (!root.contains("windows") || !root["windows"].is_array()) top.fail("windows", "missing list of windows");
        if (root.contains("routines")) {
            if (!root["routines"].is_array()) top.fail("routines", "a list of routine names is needed");
            for (const auto& name : root["routines"]) {
                if (!name.is_string() || name.get<std::string>().empty())
                    top.fail("routines", "a routine name is needed");
                if (!routine_index_.emplace(name.get<std::string>(), form_.routines.size()).second)
                    top.fail("routines", "routine '" + name.get<std::string>() + "' is listed twice");
                form_.routines.push_back(name.get<std::string>());
            }
        }
        std::set<std::uint32_t> window_ids;
        for (const auto& window : root["windows"]) {
            form_.block.windows.push_back(compile_window(window));
            if (!window_ids.insert(form_.block.windows.back().id).second)
                top.fail("windows", "window id " + hex(form_.block.windows.back().id) + " is used twice");
        }
        return std::move(form_);
    }

private:
    json load() {
        std::ifstream in(source_, std::ios::binary);
        if (!in) throw SourceError(source_.string() + ": cannot be read");
        try {
            return json::parse(in);
        } catch (const json::exception& e) {
            throw SourceError(source_.string() + ": not valid JSON: " + e.what());
        }
    }

    static std::string hex(std::uint32_t v) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%08X", v);
        return buffer;
    }

    static void check_keys(const Place& at, const json& object, std::initializer_list<const char*> allowed) {
        if (!object.is_object()) at.fail("", "an object is needed");
        for (const auto& item : object.items()) {
            bool known = false;
            for (const char* key : allowed) known = known || item.key() == key;
            if (!known) at.fail(item.key(), "unknown field");
        }
    }

    static const json& required(const Place& at, const json& object, const char* key) {
        if (!object.contains(key)) at.fail(key, "missing field");
        return object[key];
    }

    formhost::WindowDescription compile_window(const json& source) {
        Place at{source_, "window"};
        if (source.contains("id")) at.where = "window " + hex(u32(at, source["id"], "id"));
        // clang-format off
        check_keys(at, source,
                   {"id", "control_id", "description_tag", "code_module", "description_name", "description_comment",
                    "name", "comment", "left", "top", "width", "height", "parent", "visible", "disabled", "tab_stop",
                    "tab_order", "cursor", "tag", "properties", "events", "controls", "constant",
                    "control_constant"});
        // clang-format on
        formhost::WindowDescription window;
        window.id = u32(at, required(at, source, "id"), "id");
        if (source.contains("description_tag")) window.tag = u32(at, source["description_tag"], "description_tag");
        if (source.contains("code_module")) window.code_module = u32(at, source["code_module"], "code_module");
        if (source.contains("description_name")) window.name = gbk(at, source["description_name"], "description_name");
        if (source.contains("description_comment"))
            window.comment = gbk(at, source["description_comment"], "description_comment");

        window.controls.push_back(compile_control(at, source, Kind::Window, required(at, source, "control_id")));
        check_window_class(at, window.controls[0]);
        name_id(at, source, "constant", window.id, "window");
        name_id(at, source, "control_constant", window.controls[0].id, "its window control");
        std::set<std::uint32_t> ids{window.controls[0].id};
        if (source.contains("controls")) {
            if (!source["controls"].is_array()) at.fail("controls", "a list of controls is needed");
            for (const auto& control : source["controls"]) {
                Place control_at{source_, at.where + ", control"};
                if (control.is_object() && control.contains("name") && control["name"].is_string())
                    control_at.where = at.where + ", control " + control["name"].get<std::string>();
                check_keys(control_at, control,
                           {"id", "kind", "name", "comment", "left", "top", "width", "height", "parent", "children",
                            "visible", "disabled", "tab_stop", "tab_order", "cursor", "tag", "properties", "events",
                            "constant"});
                const json& kind_value = required(control_at, control, "kind");
                const auto kind = kind_value.is_string() ? formhost::kind_from_name(kind_value.get<std::string>())
                                                         : std::nullopt;
                if (!kind || *kind == Kind::Window) control_at.fail("kind", "unknown kind " + kind_value.dump());
                window.controls.push_back(
                    compile_control(control_at, control, *kind, required(control_at, control, "id")));
                if (!ids.insert(window.controls.back().id).second)
                    control_at.fail("id", "control id " + hex(window.controls.back().id) + " is used twice");
                name_id(control_at, control, "constant", window.controls.back().id, control["name"].get<std::string>());
            }
        }
        return window;
    }

    // A "constant" field names an id for the program's code: formc writes it
    // into the form's ids header, so the id is written only here.
    void name_id(const Place& at, const json& source, const char* field, std::uint32_t id, const std::string& what) {
        if (!source.contains(field)) return;
        const json& value = source[field];
        const std::string name = value.is_string() ? value.get<std::string>() : std::string();
        const bool identifier = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
                                std::all_of(name.begin(), name.end(), [](char c) {
                                    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                                });
        if (!identifier) at.fail(field, "a C++ name is needed");
        for (const NamedId& named : form_.ids)
            if (named.name == name) at.fail(field, "'" + name + "' names two ids");
        form_.ids.push_back({name, id, what});
    }

    formhost::ControlRecord compile_control(const Place& at, const json& source, Kind kind, const json& id) {
        formhost::ControlRecord r;
        r.id = u32(at, id, "id");
        r.kind = static_cast<std::uint32_t>(kind);
        if (kind != Kind::Window) r.name = gbk(at, required(at, source, "name"), "name");
        else if (source.contains("name")) r.name = gbk(at, source["name"], "name");
        if (source.contains("comment")) r.comment = gbk(at, source["comment"], "comment");
        r.left = i32(at, required(at, source, "left"), "left");
        r.top = i32(at, required(at, source, "top"), "top");
        r.width = i32(at, required(at, source, "width"), "width");
        r.height = i32(at, required(at, source, "height"), "height");
        if (source.contains("parent")) r.parent = u32(at, source["parent"], "parent");
        if (source.contains("children")) {
            if (!source["children"].is_array()) at.fail("children", "a list of control ids is needed");
            for (const auto& child : source["children"]) r.children.push_back(u32(at, child, "children"));
        }
        r.cursor = cursor(at, source);
        if (source.contains("tag")) r.tag = gbk(at, source["tag"], "tag");
        const bool visible = source.contains("visible") ? flag(at, source["visible"], "visible") : true;
        const bool disabled = source.contains("disabled") && flag(at, source["disabled"], "disabled");
        const bool tab_stop = source.contains("tab_stop") && flag(at, source["tab_stop"], "tab_stop");
        r.flags = (visible ? formhost::kFlagVisible : 0) | (disabled ? formhost::kFlagDisabled : 0) |
                  (tab_stop ? formhost::kFlagTabStop : 0);
        if (source.contains("tab_order")) r.tab_order = u32(at, source["tab_order"], "tab_order");
        if (source.contains("events")) r.bindings = bindings(at, source["events"], kind);
        // Without a properties object the control stores empty kind data,
        // which stands for the kind's defaults.
        if (source.contains("properties")) r.kind_data = kind_data(at, source["properties"], kind);
        return r;
    }

    Bytes cursor(const Place& at, const json& source) {
        Bytes bytes(4, 0);  // the default arrow, as a system cursor number
        if (!source.contains("cursor")) return bytes;
        const json& value = source["cursor"];
        if (value.is_string() && !value.get<std::string>().starts_with("0x")) return asset(at, value, "cursor");
        formhost::ByteWriter w;
        w.u32(u32(at, value, "cursor"));
        return w.take();
    }

    std::vector<formhost::Binding> bindings(const Place& at, const json& events, Kind kind) {
        if (!events.is_object()) at.fail("events", "an object of event name to routine is needed");
        std::vector<formhost::Binding> result;
        for (const auto& item : events.items()) {
            const auto event = formhost::event::event_from_name(kind, item.key());
            if (!event) at.fail("events", "unknown event '" + item.key() + "' for this kind");
            formhost::Binding b{*event, formhost::kNoHandler};
            if (!item.value().is_null()) {
                if (!item.value().is_string()) at.fail("events", "a routine name is needed for '" + item.key() + "'");
                const auto found = routine_index_.find(item.value().get<std::string>());
                if (found == routine_index_.end())
                    at.fail("events", "unknown routine '" + item.value().get<std::string>() + "'");
                b.handler = static_cast<std::uint32_t>(found->second);
            }
            result.push_back(b);
        }
        return result;
    }

    Bytes asset(const Place& at, const json& value, const std::string& field) {
        if (!value.is_string()) at.fail(field, "a file name is needed");
        if (value.get<std::string>().empty()) return {};
        const std::filesystem::path path = source_.parent_path() / value.get<std::string>();
        std::ifstream in(path, std::ios::binary);
        if (!in) at.fail(field, "cannot read '" + path.string() + "'");
        Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad()) at.fail(field, "cannot read '" + path.string() + "'");
        form_.assets.push_back(path);
        return bytes;
    }

    Bytes font(const Place& at, const json& value, const std::string& field) {
        if (value.is_null()) return {};
        const Place font_at{source_, at.where + ", font '" + field + "'"};
        check_keys(font_at, value,
                   {"face", "height", "width", "escapement", "orientation", "weight", "italic", "underline",
                    "strike_out", "char_set", "out_precision", "clip_precision", "quality", "pitch_and_family"});
        formhost::FontRecord f;
        auto number = [&](const char* key, std::int32_t& out) {
            if (value.contains(key)) out = i32(font_at, value[key], key);
        };
        auto byte = [&](const char* key, std::uint8_t& out) {
            if (value.contains(key)) out = static_cast<std::uint8_t>(integer(font_at, value[key], key, 0, 255));
        };
        auto on_off = [&](const char* key, std::uint8_t& out) {
            if (value.contains(key)) out = flag(font_at, value[key], key) ? 1 : 0;
        };
        number("height", f.height);
        number("width", f.width);
        number("escapement", f.escapement);
        number("orientation", f.orientation);
        number("weight", f.weight);
        on_off("italic", f.italic);
        on_off("underline", f.underline);
        on_off("strike_out", f.strike_out);
        byte("char_set", f.char_set);
        byte("out_precision", f.out_precision);
        byte("clip_precision", f.clip_precision);
        byte("quality", f.quality);
        byte("pitch_and_family", f.pitch_and_family);
        if (value.contains("face")) {
            f.face = gbk(font_at, value["face"], "face");
            if (f.face.size() >= formhost::FontRecord::kFaceSize) font_at.fail("face", "longer than 31 bytes");
        }
        return formhost::write_font_record(f);
    }

    // Fills a kind's data from the source's properties object, field by field.
    class PropertyLoader {
    public:
        PropertyLoader(Compiler& compiler, const Place& at, const json& properties)
            : compiler_(compiler), at_(at), properties_(properties) {}

        void operator()(std::uint32_t& field, const FieldInfo& info) {
            if (const json* v = take(info)) field = u32(at_, *v, info.name);
        }
        void operator()(std::int32_t& field, const FieldInfo& info) {
            if (const json* v = take(info)) field = i32(at_, *v, info.name);
        }
        void operator()(bool& field, const FieldInfo& info) {
            if (const json* v = take(info)) field = flag(at_, *v, info.name);
        }
        void operator()(std::uint16_t& field, const FieldInfo& info) {
            const json* v = take(info);
            if (!v) return;
            if (v->is_string()) {
                const std::string s = gbk(at_, *v, info.name);
                if (s.size() != 1) at_.fail(info.name, "one single-byte character is needed");
                field = static_cast<std::uint8_t>(s[0]);
            } else {
                field = static_cast<std::uint16_t>(integer(at_, *v, info.name, 0, 0xFFFF));
            }
        }
        void operator()(std::string& field, const FieldInfo& info) {
            if (const json* v = take(info)) field = gbk(at_, *v, info.name);
        }
        void operator()(Bytes& field, const FieldInfo& info) {
            const json* v = take(info);
            if (!v) return;
            field = info.type == FieldType::Font ? compiler_.font(at_, *v, info.name)
                                                 : compiler_.asset(at_, *v, info.name);
        }

        void check_all_used() const {
            for (const auto& item : properties_.items())
                if (!used_.contains(item.key())) at_.fail(item.key(), "unknown property for this kind");
        }

    private:
        const json* take(const FieldInfo& info) {
            if (!properties_.contains(info.name)) return nullptr;
            used_.insert(info.name);
            return &properties_[info.name];
        }

        Compiler& compiler_;
        const Place& at_;
        const json& properties_;
        std::set<std::string> used_;
    };

    static void check_window_class(const Place& at, const formhost::ControlRecord& window) {
        const auto data = formhost::read_kind_data(window.kind, window.kind_data);
        if (!data) return;
        const std::string& name = std::get<formhost::WindowData>(*data).window_class_name;
        if (formhost::reserved_window_class_name(name))
            at.fail("window_class_name",
                    "'" + name + "' is a class of the system or of the form host; leave it out to use the host's own");
    }

    Bytes kind_data(const Place& at, const json& properties, Kind kind) {
        if (!properties.is_object()) at.fail("properties", "an object is needed");
        auto data = *formhost::default_kind_data(static_cast<std::uint32_t>(kind));
        PropertyLoader loader(*this, at, properties);
        std::visit([&](auto& d) { d.visit(d, loader); }, data);
        loader.check_all_used();
        return formhost::write_kind_data(data);
    }

    std::filesystem::path source_;
    CompiledForm form_;
    std::map<std::string, std::size_t> routine_index_;
};

}  // namespace

CompiledForm compile_form_source(const std::filesystem::path& source) { return Compiler(source).run(); }

}  // namespace formc
