#include "editor_driver.h"

#include "support/waiting.h"

namespace {

struct ChildSearch {
    const wchar_t* cls;
    int left, top;  // -1: any
    HWND found = nullptr;
};

BOOL CALLBACK find_child(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    if (_wcsicmp(cls, s->cls) == 0 && (s->left < 0 || r.left == s->left) && (s->top < 0 || r.top == s->top)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int row_top(int row) { return 80 + 40 * (row - 1); }

}  // namespace

bool EditorRun::start() {
    if (!run_.start()) return false;
    window_ = run_.wait_for_window(L"FormHostWindow", 20000);
    return window_ != nullptr;
}

HWND EditorRun::child_at(const wchar_t* cls, int left, int top) const {
    ChildSearch s{cls, left, top};
    EnumChildWindows(window_, find_child, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND EditorRun::box(int row) const { return child_at(L"Edit", 128, row_top(row)); }
HWND EditorRun::save_button(int row) const { return child_at(L"Button", 448, row_top(row)); }
HWND EditorRun::download_button() const { return child_at(L"Button", 592, -1); }

void EditorRun::type(HWND control, const std::wstring& text) const {
    // The caret goes to the end first, as a click after the text would put it.
    const std::size_t before = this->text(control).size();
    SendMessageW(control, EM_SETSEL, before, before);
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
    // The characters are taken in order by the editor's thread; wait for them.
    test_support::pump_messages_until([&] { return this->text(control).size() >= before + text.size(); }, 5000, 20);
}
