#include "formhost/core/choices.h"
#include "formhost/core/event_indexes.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/drawing/fonts.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"

namespace formhost::win32 {
namespace {

class Button : public Control {
public:
    using Control::Control;

    bool create(const ControlPlace& place) override {
        const RECT& r = place.rect;
        HWND hwnd = CreateWindowExW(0, L"BUTTON", widen(button().caption).c_str(),
                                    WS_CHILD | WS_CLIPSIBLINGS | BS_PUSHBUTTON | alignment_styles() | place.style,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, place.parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.os_id)),
                                    GetModuleHandleW(nullptr), nullptr);
        if (!hwnd) return note_failure("CreateWindowExW");
        attach(hwnd);
        apply_font();
        return true;
    }

    void on_command(WORD code) override {
        if (code == BN_CLICKED) raise(event::button::kClicked);
    }

protected:
    bool apply(int index) override {
        switch (index) {
            case property::button::kCaption: SetWindowTextW(hwnd_, widen(button().caption).c_str()); return false;
            case property::button::kHorizontalAlignment:
            case property::button::kVerticalAlignment: {
                constexpr DWORD kAlignBits = BS_LEFT | BS_RIGHT | BS_CENTER | BS_TOP | BS_BOTTOM | BS_VCENTER;
                const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
                SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>((style & ~kAlignBits) | alignment_styles()));
                InvalidateRect(hwnd_, nullptr, TRUE);
                return false;
            }
            case property::button::kFont: apply_font(); return false;
            default: return false;
        }
    }

private:
    ButtonData& button() { return std::get<ButtonData>(data_); }

    DWORD alignment_styles() {
        static constexpr DWORD horizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
        static constexpr DWORD vertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
        // Values past the last choice are stored and shown as the last one.
        return horizontal[std::min(button().horizontal_alignment, choice::horizontal_alignment::kRight)] |
               vertical[std::min(button().vertical_alignment, choice::vertical_alignment::kBottom)];
    }

    void apply_font() {
        font_ = make_font(button().font);
        HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

    UniqueFont font_;
};

}  // namespace

std::unique_ptr<Control> make_button(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<Button>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
