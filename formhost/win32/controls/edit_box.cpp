#include <windowsx.h>

#include "formhost/core/choices.h"
#include "formhost/core/event_indexes.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/controls/frame_styles.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/drawing/fonts.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"

namespace formhost::win32 {
namespace {

class EditBox : public Control {
public:
    using Control::Control;

    bool create(const ControlPlace& place) override {
        const EditBoxData& d = edit();
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | place.style;
        if (d.multi_line) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        else style |= ES_AUTOHSCROLL;
        if (!d.hide_selection) style |= ES_NOHIDESEL;
        if (d.alignment == choice::horizontal_alignment::kCentred) style |= ES_CENTER;
        if (d.alignment == choice::horizontal_alignment::kRight) style |= ES_RIGHT;
        if (d.multi_line && (d.scroll_bars & choice::scroll_bars::kHorizontal)) style |= WS_HSCROLL;
        if (d.multi_line && (d.scroll_bars & choice::scroll_bars::kVertical)) style |= WS_VSCROLL;
        if (d.input_mode == choice::input_mode::kReadOnly) style |= ES_READONLY;
        if (d.input_mode == choice::input_mode::kPassword && !d.multi_line) style |= ES_PASSWORD;
        const FrameStyles frame = frame_styles(d.border_style);
        const RECT& r = place.rect;
        HWND hwnd = CreateWindowExW(frame.ex_style, L"EDIT", widen(d.content).c_str(), style | frame.style, r.left,
                                    r.top, r.right - r.left, r.bottom - r.top, place.parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.os_id)),
                                    GetModuleHandleW(nullptr), nullptr);
        if (!hwnd) return note_failure("CreateWindowExW");
        attach(hwnd);
        apply_font();
        apply_limit();
        apply_password_character();
        make_brush();
        return true;
    }

    void on_command(WORD code) override {
        if (code == EN_CHANGE && !writing_) raise(event::edit_box::kChanged);
    }

    HBRUSH colours(HDC dc) override {
        SetTextColor(dc, resolve_colour(edit().text_colour, COLOR_WINDOWTEXT));
        SetBkColor(dc, resolve_colour(edit().background_colour, COLOR_BTNFACE));
        return brush_.get();
    }

protected:
    bool apply(int index) override {
        switch (index) {
            case property::edit_box::kContent:
                // The change event comes once, from here, after the text is in
                // place: also when the text did not change.
                writing_ = true;
                SetWindowTextW(hwnd_, widen(edit().content).c_str());
                writing_ = false;
                raise(event::edit_box::kChanged);
                return false;
            case property::edit_box::kBorderStyle: apply_frame_styles(hwnd_, edit().border_style); return false;
            case property::edit_box::kTextColour:
            case property::edit_box::kBackgroundColour:
                make_brush();
                RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
                return false;
            case property::edit_box::kFont: apply_font(); return false;
            // The system takes these only when the box is made.
            case property::edit_box::kHideSelection:
            case property::edit_box::kMultiLine: return true;
            case property::edit_box::kMaximumLength: apply_limit(); return false;
            case property::edit_box::kInputMode:
                SendMessageW(hwnd_, EM_SETREADONLY, edit().input_mode == choice::input_mode::kReadOnly, 0);
                apply_password_character();
                return false;
            case property::edit_box::kPasswordCharacter: apply_password_character(); return false;
            default: return false;
        }
    }

    void sync_from_window() override {
        const int length = GetWindowTextLengthW(hwnd_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(hwnd_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        std::optional<std::string> exact = narrow_exactly(text);
        whole_ = exact.has_value();
        edit().content = exact ? std::move(*exact) : narrow(text);
    }

    bool text_is_whole() override {
        sync_from_window();
        return whole_;
    }

private:
    bool whole_ = true;

    EditBoxData& edit() { return std::get<EditBoxData>(data_); }
    const EditBoxData& edit() const { return std::get<EditBoxData>(data_); }

    void make_brush() { brush_.reset(CreateSolidBrush(resolve_colour(edit().background_colour, COLOR_BTNFACE))); }

    void apply_limit() {
        const std::int32_t limit = edit().maximum_length;
        SendMessageW(hwnd_, EM_SETLIMITTEXT, limit > 0 ? static_cast<WPARAM>(limit) : 0, 0);
    }

    void apply_password_character() {
        if (edit().multi_line) return;
        const std::string c(1, static_cast<char>(edit().password_character & 0xFF));
        const std::wstring wide = widen(c);
        const wchar_t shown = edit().input_mode == choice::input_mode::kPassword && !wide.empty() ? wide[0] : 0;
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, shown, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

    void apply_font() {
        font_ = make_font(edit().font, true);
        HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (edit().multi_line) return;
        // A single-line box is made tall enough for its font.
        TEXTMETRICW tm{};
        {
            WindowDC dc(hwnd_);
            SelectObjectScope select(dc.get(), font);
            GetTextMetricsW(dc.get(), &tm);
        }
        const int needed = tm.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
        RECT r;
        GetWindowRect(hwnd_, &r);
        if (r.bottom - r.top < needed)
            SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, needed, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    UniqueFont font_;
    UniqueBrush brush_;
    bool writing_ = false;
};

}  // namespace

std::unique_ptr<Control> make_edit_box(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<EditBox>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
