// The editor's routines, bound to events in editor.form.json: fill the
// thirteen boxes from the message store and save each box to its slot.
#include <windows.h>

#include "editor_routines.h"
#include "form_ids.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/routines/system_commands.h"
#include "promotion.h"
#include "store/slot_names.h"
#include "store/slot_text.h"
#include "store/text_bytes.h"
#include "store/win32/store_files.h"

namespace editor {
namespace {

using formhost::property::edit_box::kContent;

// The edit box of each slot, 00 to 12.
constexpr std::uint32_t kSlotBoxes[store::kSlotCount] = {
    kSlot00Box, kSlot01Box, kSlot02Box, kSlot03Box, kSlot04Box, kSlot05Box, kSlot06Box,
    kSlot07Box, kSlot08Box, kSlot09Box, kSlot10Box, kSlot11Box, kSlot12Box,
};

void load_all_slots() {
    for (std::size_t slot = 0; slot < store::kSlotCount; ++slot) {
        const std::string text = store::slot_text(store::read_file(store::kSlotFiles[slot]));
        formhost::write_property(kWindow, kSlotBoxes[slot], kContent, formhost::Value{text});
    }
}

void save_slot(std::size_t slot) {
    const std::uint32_t box = kSlotBoxes[slot];
    const std::string text = formhost::to_text(formhost::read_property(kWindow, box, kContent));
    // A box that shows more than its text can carry is not saved at all:
    // "saved" must mean that the file holds what the box shows.
    if (formhost::text_is_whole(kWindow, box) &&
        store::write_file(store::kSlotFiles[slot], {store::to_byte_set(text)})) {
        formhost::message_box("修改完成！数据已保存。");
    } else {
        // The box keeps its text, so the user can try again.
        formhost::message_box("保存失败！数据未能保存。", MB_ICONERROR);
    }
}

}  // namespace

void on_editor_window_created() {
    run_promotion_at_start();
    load_all_slots();
}

void on_save_slot_00() { save_slot(0); }
void on_save_slot_01() { save_slot(1); }
void on_save_slot_02() { save_slot(2); }
void on_save_slot_03() { save_slot(3); }
void on_save_slot_04() { save_slot(4); }
void on_save_slot_05() { save_slot(5); }
void on_save_slot_06() { save_slot(6); }
void on_save_slot_07() { save_slot(7); }
void on_save_slot_08() { save_slot(8); }
void on_save_slot_09() { save_slot(9); }
void on_save_slot_10() { save_slot(10); }
void on_save_slot_11() { save_slot(11); }
void on_save_slot_12() { save_slot(12); }

void on_download_clicked() { open_download_page(); }

void on_first_box_changed() {}

}  // namespace editor
