#pragma once
// The form block: every window of a program as a description of its controls
// (geometry, common properties, event bindings and each kind's own data).
// Reading checks every length and offset against the block; a block that is
// cut short or inconsistent gives no result at all.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "byte_io.h"

namespace formhost {

// A handler reference that binds no routine.
inline constexpr std::uint32_t kNoHandler = 0xFFFFFFFFu;

// Control record flag bits.
inline constexpr std::uint32_t kFlagVisible = 1u << 0;
inline constexpr std::uint32_t kFlagDisabled = 1u << 1;
inline constexpr std::uint32_t kFlagTabStop = 1u << 2;

struct Binding {
    std::int32_t event = 0;
    std::uint32_t handler = kNoHandler;
    bool operator==(const Binding&) const = default;
};

struct ControlRecord {
    std::uint32_t id = 0;  // from the description's id list, not the record
    std::uint32_t kind = 0;
    std::string name;  // GB18030
    std::string comment;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::uint32_t parent = 0;
    std::vector<std::uint32_t> children;
    Bytes cursor;  // a u32 system cursor number, or cursor file bytes
    std::string tag;
    std::uint32_t flags = 0;
    std::uint32_t tab_order = 0;
    std::vector<Binding> bindings;
    Bytes kind_data;  // read by the control's kind when it is created

    bool visible() const { return flags & kFlagVisible; }
    bool disabled() const { return flags & kFlagDisabled; }
    bool tab_stop() const { return flags & kFlagTabStop; }
    bool operator==(const ControlRecord&) const = default;
};

struct WindowDescription {
    std::uint32_t id = 0;
    std::uint32_t tag = 0;
    std::uint32_t code_module = 0;
    std::string name;
    std::string comment;
    // The window control comes first, then the controls in creation order.
    std::vector<ControlRecord> controls;
    bool operator==(const WindowDescription&) const = default;
};

struct FormBlock {
    std::vector<WindowDescription> windows;
    bool operator==(const FormBlock&) const = default;
};

std::optional<FormBlock> read_form_block(ByteView block);
// Writes the layout the reader expects; template slots are written as zero.
Bytes write_form_block(const FormBlock& block);

std::optional<ControlRecord> read_control_record(ByteView record);
Bytes write_control_record(const ControlRecord& record);

// Checks that every binding names a routine of a table of routine_count
// entries (or none) before the host turns references into routines.
bool handler_references_valid(const FormBlock& block, std::size_t routine_count);

}  // namespace formhost
