#include "formhost/core/choices.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/controls/painted_control.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/drawing/fonts.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"

namespace formhost::win32 {
namespace {

class Label : public PaintedControl {
public:
    using PaintedControl::PaintedControl;

    bool create(const ControlPlace& place) override {
        if (!create_window(place, L"FormHostLabel", 0, 0)) return false;
        font_ = make_font(label().font);
        return true;
    }

    bool takes_focus() const override { return false; }

protected:
    bool apply(int index) override {
        if (index == property::label::kFont) font_ = make_font(label().font);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

    // A caption placed by its alignment, or wrapped, moves with the size:
    // the whole label is painted anew, not only the part a resize uncovers.
    bool handle(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_SIZE) InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

    void paint(HDC dc, const RECT&) override {
        const LabelData& d = label();
        RECT client;
        GetClientRect(hwnd_, &client);
        UniqueBrush background(CreateSolidBrush(resolve_colour(d.background_colour, COLOR_BTNFACE)));
        FillRect(dc, &client, background.get());

        HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SelectObjectScope select(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, resolve_colour(d.text_colour, COLOR_WINDOWTEXT));

        // By alignment value; a value past the last is taken as the last.
        static constexpr UINT horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        static constexpr UINT vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
        static_assert(choice::horizontal_alignment::kRight == 2 && choice::vertical_alignment::kBottom == 2);
        // An ampersand is shown as it is, not as a mnemonic mark.
        UINT format = DT_NOPREFIX | DT_NOCLIP |
                      horizontal[std::min(d.horizontal_alignment, choice::horizontal_alignment::kRight)];
        if (d.word_wrap) format |= DT_WORDBREAK | DT_TOP;
        else format |= DT_SINGLELINE | vertical[std::min(d.vertical_alignment, choice::vertical_alignment::kBottom)];
        std::wstring text = widen(d.caption);
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &client, format);
    }

private:
    LabelData& label() { return std::get<LabelData>(data_); }

    UniqueFont font_;
};

}  // namespace

std::unique_ptr<Control> make_label(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<Label>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
