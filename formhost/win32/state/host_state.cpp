#include "formhost/win32/state/host_state.h"

namespace formhost::win32 {

Routine ControlTemplate::handler(std::int32_t event) const {
    for (const auto& [index, routine] : bindings)
        if (index == event) return routine;
    return nullptr;
}

ControlTemplate* WindowEntry::find(std::uint32_t control_id) {
    for (auto& c : controls)
        if (c.id == control_id) return &c;
    return nullptr;
}

WindowEntry* HostState::find_window(std::uint32_t window_id) {
    for (auto& w : windows)
        if (w.id == window_id) return &w;
    return nullptr;
}

bool HostState::any_window_loaded() const {
    for (const auto& w : windows)
        if (w.loaded()) return true;
    return false;
}

HostState& host() {
    static HostState state;
    return state;
}

bool fill_window_table(const FormBlock& block, std::span<const Routine> routines) {
    if (!handler_references_valid(block, routines.size())) return false;
    auto& table = host().windows;
    table.clear();
    for (const auto& description : block.windows) {
        WindowEntry entry;
        entry.id = description.id;
        for (const auto& r : description.controls) {
            ControlTemplate t;
            t.id = r.id;
            t.kind = r.kind;
            t.name = r.name;
            t.left = r.left;
            t.top = r.top;
            t.width = r.width;
            t.height = r.height;
            t.parent = r.parent;
            t.cursor = r.cursor;
            t.tag = r.tag;
            t.visible = r.visible();
            t.disabled = r.disabled();
            t.tab_stop = r.tab_stop();
            t.tab_order = r.tab_order;
            for (const auto& b : r.bindings)
                t.bindings.emplace_back(b.event, b.handler == kNoHandler ? nullptr : routines[b.handler]);
            t.kind_data = r.kind_data;
            entry.controls.push_back(std::move(t));
        }
        table.push_back(std::move(entry));
    }
    return true;
}

bool note_failure(const char* call) {
    host().build_failure = {call, GetLastError()};
    return false;
}

}  // namespace formhost::win32
