#include "form_block.h"

#include <algorithm>

namespace formhost {
namespace {

constexpr std::size_t kReservedHead = 20;  // after the kind code
constexpr std::size_t kReservedTail = 20;  // after the bindings

// Caps a reservation by what the bytes left could hold, so that a forged
// count cannot make the reader allocate before it fails.
std::size_t plausible(std::uint64_t count, std::size_t remaining, std::size_t item_size) {
    return static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining / item_size));
}

std::optional<WindowDescription> read_window(ByteReader& in, std::uint32_t id) {
    WindowDescription window;
    window.id = id;
    window.tag = in.u32();
    window.code_module = in.u32();
    window.name = in.text();
    window.comment = in.text();
    const std::uint32_t count = in.u32();
    const std::uint32_t length = in.u32();
    const ByteView controls = in.view(length);
    if (!in.ok() || count == 0) return std::nullopt;

    const std::uint64_t table_size = 8ull * count;
    if (table_size > controls.size()) return std::nullopt;
    ByteReader table(controls);
    std::vector<std::uint32_t> ids(count), offsets(count);
    for (auto& v : ids) v = table.u32();
    for (auto& v : offsets) v = table.u32();

    const ByteView records = controls.subspan(static_cast<std::size_t>(table_size));
    window.controls.reserve(count);
    // The records together cannot be larger than the bytes that hold them.
    // Offsets are free to point anywhere, but without this bound records
    // that overlap would each copy the rest of the block: quadratic in its
    // size.
    std::uint64_t claimed = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (offsets[i] > records.size()) return std::nullopt;
        ByteReader at(records.subspan(offsets[i]));
        const std::uint32_t size = at.u32();
        const ByteView record = at.view(size);
        claimed += 4ull + size;
        if (!at.ok() || claimed > records.size()) return std::nullopt;
        auto control = read_control_record(record);
        if (!control) return std::nullopt;
        control->id = ids[i];
        window.controls.push_back(std::move(*control));
    }
    return window;
}

}  // namespace

std::optional<ControlRecord> read_control_record(ByteView bytes) {
    ByteReader in(bytes);
    ControlRecord r;
    r.kind = in.u32();
    in.skip(kReservedHead);
    r.name = in.zstring();
    r.comment = in.zstring();
    in.skip(4);
    r.left = in.i32();
    r.top = in.i32();
    r.width = in.i32();
    r.height = in.i32();
    in.skip(4);
    r.parent = in.u32();
    const std::uint32_t child_count = in.u32();
    r.children.reserve(plausible(child_count, in.remaining(), 4));
    for (std::uint32_t i = 0; i < child_count && in.ok(); ++i) r.children.push_back(in.u32());
    r.cursor = in.bytes();
    r.tag = in.zstring();
    in.skip(4);
    r.flags = in.u32();
    r.tab_order = in.u32();
    const std::uint32_t event_count = in.u32();
    r.bindings.reserve(plausible(event_count, in.remaining(), 8));
    for (std::uint32_t i = 0; i < event_count && in.ok(); ++i) {
        Binding b;
        b.event = in.i32();
        b.handler = in.u32();
        r.bindings.push_back(b);
    }
    in.skip(kReservedTail);
    const ByteView kind_data = in.view(in.remaining());
    if (!in.ok()) return std::nullopt;
    r.kind_data.assign(kind_data.begin(), kind_data.end());
    return r;
}

Bytes write_control_record(const ControlRecord& r) {
    ByteWriter out;
    out.u32(r.kind);
    out.zeros(kReservedHead);
    out.zstring(r.name);
    out.zstring(r.comment);
    out.u32(0);
    out.i32(r.left);
    out.i32(r.top);
    out.i32(r.width);
    out.i32(r.height);
    out.u32(0);
    out.u32(r.parent);
    out.u32(static_cast<std::uint32_t>(r.children.size()));
    for (std::uint32_t child : r.children) out.u32(child);
    out.bytes(r.cursor);
    out.zstring(r.tag);
    out.u32(0);
    out.u32(r.flags);
    out.u32(r.tab_order);
    out.u32(static_cast<std::uint32_t>(r.bindings.size()));
    for (const Binding& b : r.bindings) {
        out.i32(b.event);
        out.u32(b.handler);
    }
    out.zeros(kReservedTail);
    out.raw(r.kind_data);
    return out.take();
}

std::optional<FormBlock> read_form_block(ByteView bytes) {
    ByteReader in(bytes);
    const std::uint32_t table_length = in.u32();
    if (!in.ok()) return std::nullopt;
    // Eight bytes a window (its id and its template slot); a remainder is
    // left over from the writing tool and names no window.
    const std::uint32_t count = table_length / 8;
    if (8ull * count > in.remaining()) return std::nullopt;

    std::vector<std::uint32_t> ids(count);
    for (auto& id : ids) id = in.u32();
    in.skip(4ull * count);  // template slots: whatever the writing tool left there

    FormBlock block;
    block.windows.reserve(count);
    for (std::uint32_t id : ids) {
        auto window = read_window(in, id);
        if (!window) return std::nullopt;
        block.windows.push_back(std::move(*window));
    }
    return block;
}

Bytes write_form_block(const FormBlock& block) {
    ByteWriter out;
    const auto count = static_cast<std::uint32_t>(block.windows.size());
    out.u32(8 * count);
    for (const auto& window : block.windows) out.u32(window.id);
    out.zeros(4ull * count);
    for (const auto& window : block.windows) {
        out.u32(window.tag);
        out.u32(window.code_module);
        out.text(window.name);
        out.text(window.comment);
        const auto n = static_cast<std::uint32_t>(window.controls.size());
        out.u32(n);
        const std::size_t length_at = out.size();
        out.u32(0);
        const std::size_t start = out.size();

        std::vector<Bytes> records;
        records.reserve(n);
        for (const auto& control : window.controls) records.push_back(write_control_record(control));
        for (const auto& control : window.controls) out.u32(control.id);
        std::uint32_t offset = 0;
        for (const auto& record : records) {
            out.u32(offset);
            offset += 4 + static_cast<std::uint32_t>(record.size());
        }
        for (const auto& record : records) out.bytes(record);
        out.patch_u32(length_at, static_cast<std::uint32_t>(out.size() - start));
    }
    return out.take();
}

bool handler_references_valid(const FormBlock& block, std::size_t routine_count) {
    for (const auto& window : block.windows)
        for (const auto& control : window.controls)
            for (const auto& binding : control.bindings)
                if (binding.handler != kNoHandler && binding.handler >= routine_count) return false;
    return true;
}

}  // namespace formhost
