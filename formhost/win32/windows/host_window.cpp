#include "formhost/win32/windows/host_window.h"

#include "formhost/core/choices.h"
#include "formhost/core/event_indexes.h"
#include "formhost/core/property_access.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/state/events.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"
#include "formhost/win32/windows/control_cursors.h"
#include "formhost/win32/windows/host_window_class.h"
#include "formhost/win32/windows/window_builder.h"

namespace formhost::win32 {
namespace {

bool resizable(std::uint32_t border_style) {
    using namespace choice::window_border;
    return border_style == kResizable || border_style == kResizableToolWindow || border_style == kResizableSunken;
}

}  // namespace

WindowStyles window_styles(const WindowData& d) {
    WindowStyles s;
    s.style = WS_POPUP | WS_CLIPCHILDREN;
    const std::uint32_t border = d.border_style;
    if (border == choice::window_border::kNone) return s;
    const bool caption = !d.title.empty() || d.control_buttons;
    if (resizable(border)) s.style |= WS_THICKFRAME;
    else if (!caption) s.style |= WS_DLGFRAME;
    if (caption) {
        s.style |= WS_CAPTION;
        if (d.control_buttons) s.style |= WS_SYSMENU;
        if (d.maximise_button) s.style |= WS_MAXIMIZEBOX;
        if (d.minimise_button) s.style |= WS_MINIMIZEBOX;
    }
    using namespace choice::window_border;
    if (border == kResizableToolWindow || border == kFixedToolWindow) s.ex_style |= WS_EX_TOOLWINDOW;
    if (border == kResizableSunken || border == kFixedSunken) s.ex_style |= WS_EX_CLIENTEDGE;
    return s;
}

HostWindow::HostWindow(WindowEntry& entry, WindowData data) : entry_(entry), data_(std::move(data)) {}

HostWindow::~HostWindow() = default;

void HostWindowDeleter::operator()(HostWindow* window) const { delete window; }

bool WindowEntry::loaded() const { return live && IsWindow(live->hwnd()); }

Control* HostWindow::control(std::uint32_t id) {
    for (auto& c : controls_)
        if (c && c->id() == id) return c.get();
    return nullptr;
}

Control* HostWindow::control_for(HWND hwnd) {
    const auto found = host().controls_by_hwnd.find(hwnd);
    return found == host().controls_by_hwnd.end() ? nullptr : found->second;
}

bool HostWindow::has_resizable_border() const { return resizable(data().border_style); }

bool HostWindow::create(HWND owner) {
    const ControlTemplate& t = entry_.controls.front();
    const WindowStyles styles = window_styles(window_data());
    int x = t.left, y = t.top;
    if (window_data().start_position == choice::start_position::kCentred) {
        x = (GetSystemMetrics(SM_CXSCREEN) - t.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - t.height) / 2;
    }
    given_owner_ = owner;
    // A window kept out of the task bar (or modal) without owner is owned by
    // the host's hidden window, which keeps it off the task bar.
    if (!owner && (!window_data().shown_in_task_bar || modal)) owner = host().message_window;
    const std::wstring class_name = host_window_class(window_data().window_class_name);
    if (class_name.empty()) return false;
    // Made minimised, or maximised where the border lets the system do it,
    // so that the creation routine and the first moved and resized events
    // already see the window in that state. The given rectangle is where it
    // comes back to.
    DWORD state = 0;
    if (window_data().start_position == choice::start_position::kMinimised) state = WS_MINIMIZE;
    else if (window_data().start_position == choice::start_position::kMaximised && has_resizable_border())
        state = WS_MAXIMIZE;
    const DWORD style = styles.style | state | (t.disabled ? WS_DISABLED : 0);
    hwnd_ = CreateWindowExW(styles.ex_style, class_name.c_str(), widen(window_data().title).c_str(), style, x, y,
                            t.width, t.height, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return note_failure("CreateWindowExW");
    // The outer size is exactly the one given, whatever the system chose.
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (!state && (r.left != x || r.top != y || r.right - r.left != t.width || r.bottom - r.top != t.height))
        SetWindowPos(hwnd_, nullptr, x, y, t.width, t.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (!window_data().icon.empty()) icons_.apply(hwnd_, window_data().icon);
    apply_movable();
    apply_always_on_top();
    return true;
}

std::optional<Value> HostWindow::read_property(int index) const { return read_property_field(data_, index); }

void HostWindow::write_property(int index, const Value& value) {
    // A new sound or play mode starts the sound again from its beginning.
    const bool restarts_sound = index == property::window::kBackgroundSound ||
                                index == property::window::kSoundPlayMode;
    if (restarts_sound) sound::stop(window_data().background_sound);
    if (!write_property_field(data_, index, value)) return;
    if (restarts_sound)
        sound::start(window_data().background_sound, static_cast<std::int32_t>(window_data().sound_play_mode));
    switch (index) {
        case property::window::kTitle:
            SetWindowTextW(hwnd_, widen(window_data().title).c_str());
            apply_frame();  // an empty title may take the caption bar away
            break;
        case property::window::kBorderStyle:
        case property::window::kControlButtons:
        case property::window::kMaximiseButton:
        case property::window::kMinimiseButton: apply_frame(); break;
        case property::window::kBackgroundPicture:
            background_picture_.reset();  // the next paint decodes the new one
            background_decoded_ = false;
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case property::window::kBackgroundColour:
        case property::window::kBackgroundPictureMode: InvalidateRect(hwnd_, nullptr, TRUE); break;
        case property::window::kStartPosition:
            // Only a visible window moves; a hidden one shows by it later.
            if (IsWindowVisible(hwnd_)) apply_start_position();
            break;
        case property::window::kMovable: apply_movable(); break;
        case property::window::kIcon: icons_.apply(hwnd_, window_data().icon); break;
        case property::window::kShownInTaskBar: apply_task_bar_owner(); break;
        case property::window::kAlwaysOnTop: apply_always_on_top(); break;
        default: break;
    }
}

void HostWindow::apply_frame() {
    const WindowStyles styles = window_styles(window_data());
    const DWORD keep = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)) &
                       (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(styles.style | keep));
    const DWORD keep_ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)) & (WS_EX_TOPMOST | WS_EX_LAYERED);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(styles.ex_style | keep_ex));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindow::apply_movable() {
    if (window_data().movable) GetSystemMenu(hwnd_, TRUE);  // back to the full menu
    else DeleteMenu(GetSystemMenu(hwnd_, FALSE), SC_MOVE, MF_BYCOMMAND);
}

void HostWindow::apply_task_bar_owner() {
    // Only a window that has no owner of its own is concerned; a modal one
    // stays with the hidden window whatever the property says.
    if (given_owner_ || modal) return;
    HWND wanted = window_data().shown_in_task_bar ? nullptr : host().message_window;
    if (GetWindow(hwnd_, GW_OWNER) == wanted) return;
    // The task bar looks at a window's owner when the window is shown, so a
    // visible window is shown anew, as active as it was.
    const bool visible = IsWindowVisible(hwnd_), active = GetActiveWindow() == hwnd_;
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (visible) SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, kKeep | SWP_HIDEWINDOW);
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(wanted));
    if (visible) SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, kKeep | SWP_SHOWWINDOW);
    if (active) SetActiveWindow(hwnd_);
}

void HostWindow::apply_always_on_top() {
    const bool topmost = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST;
    if (topmost == window_data().always_on_top) return;
    SetWindowPos(hwnd_, window_data().always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HostWindow::show_by_start_position() {
    switch (window_data().start_position) {
        case choice::start_position::kMinimised: ShowWindow(hwnd_, SW_SHOWMINIMIZED); break;
        case choice::start_position::kMaximised: apply_start_position(); break;
        default: ShowWindow(hwnd_, SW_SHOWNORMAL); break;
    }
}

void HostWindow::apply_start_position() {
    switch (window_data().start_position) {
        case choice::start_position::kAsGiven: ShowWindow(hwnd_, SW_SHOWNORMAL); break;
        case choice::start_position::kCentred: {
            if (IsIconic(hwnd_) || IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
            RECT r;
            GetWindowRect(hwnd_, &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case choice::start_position::kMinimised: ShowWindow(hwnd_, SW_MINIMIZE); break;
        case choice::start_position::kMaximised: {
            if (has_resizable_border()) {
                ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
                break;
            }
            // Without a sizing border the system will not maximise the window:
            // give it the screen's place and size instead.
            if (IsIconic(hwnd_) || IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
            const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
            RECT r;
            GetWindowRect(hwnd_, &r);
            if (r.left != 0 || r.top != 0 || r.right != w || r.bottom != h)
                SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(hwnd_, SW_SHOW);
            break;
        }
        default: break;
    }
}

void HostWindow::focus_first_control() {
    // From the last control back to the second; a strictly lower tab order
    // wins, so among equals the one latest in the description is chosen.
    Control* chosen = nullptr;
    std::uint32_t best = 0;
    for (std::size_t i = entry_.controls.size(); i-- > 1;) {
        const ControlTemplate& t = entry_.controls[i];
        Control* c = control(t.id);
        if (!c || !c->hwnd() || !c->takes_focus() || !t.tab_stop) continue;
        if (!IsWindowVisible(c->hwnd()) || !IsWindowEnabled(c->hwnd())) continue;
        if (!chosen || t.tab_order < best) {
            chosen = c;
            best = t.tab_order;
        }
    }
    if (chosen) SetFocus(chosen->hwnd());
}

void HostWindow::paint_background(HDC dc) {
    const WindowData& d = window_data();
    // Decoded at the first paint rather than at the load: a window that is
    // never shown never pays for its picture.
    if (!background_decoded_) {
        background_picture_ = d.background_picture.empty() ? nullptr : Picture::load(d.background_picture);
        background_decoded_ = true;
    }
    RECT client, area;
    GetClientRect(hwnd_, &client);
    if (GetClipBox(dc, &area) == ERROR || !IntersectRect(&area, &area, &client)) area = client;
    win32::paint_background(dc, client, area, background_picture_.get(), static_cast<int>(d.background_picture_mode),
                            resolve_colour(d.background_colour, COLOR_BTNFACE));
}

LRESULT CALLBACK HostWindow::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        // Only the host's own creation hands over a window object; a window
        // of this class made by anybody else stays a plain window.
        if (message == WM_NCCREATE) {
            if (auto* self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams)) {
                self->hwnd_ = hwnd;
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        }
        auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
            window_destroyed(self->entry_);  // deletes self
            return result;
        }
        return self->handle(message, wparam, lparam);
    } catch (...) {
        fatal_error_from_exception();
    }
}

LRESULT HostWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND: paint_background(reinterpret_cast<HDC>(wparam)); return 1;
        case WM_COMMAND:
            if (lparam) {
                if (Control* c = control_for(reinterpret_cast<HWND>(lparam))) c->on_command(HIWORD(wparam));
            } else if (LOWORD(wparam) == IDCANCEL && window_data().escape_closes) {
                // Escape, handed over by the dialog keyboard handling: the same
                // way out as the system close command.
                PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else if (LOWORD(wparam) == IDOK && window_data().enter_moves_focus) {
                if (HWND next = GetNextDlgTabItem(hwnd_, GetFocus(), FALSE)) SetFocus(next);
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (Control* c = control_for(reinterpret_cast<HWND>(lparam)))
                if (HBRUSH brush = c->colours(reinterpret_cast<HDC>(wparam))) return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_CLOSE: {
            // The routine may close the window itself, and even load it
            // again: only the window asked to close is destroyed, and this
            // object is not touched once the routine has run.
            HWND asked = hwnd_;
            raise_event(entry_.id, kTheWindow, event::window::kCloseQuery);
            if (IsWindow(asked)) DestroyWindow(asked);
            return 0;
        }
        case WM_DESTROY: raise_event(entry_.id, kTheWindow, event::window::kDestroyed); return 0;
        case WM_MOVE: raise_event(entry_.id, kTheWindow, event::window::kMoved); return 0;
        case WM_SIZE: raise_event(entry_.id, kTheWindow, event::window::kResized); return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) remembered_focus_ = focus;
            } else if (remembered_focus_ && IsWindow(remembered_focus_) && IsChild(hwnd_, remembered_focus_)) {
                SetFocus(remembered_focus_);
            } else {
                focus_first_control();
            }
            return 0;
        case WM_SETCURSOR:
            if (set_control_cursor(entry_, reinterpret_cast<HWND>(wparam))) return TRUE;
            break;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace formhost::win32
