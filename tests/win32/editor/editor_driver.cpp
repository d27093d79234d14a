#include "editor_driver.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "formhost/win32/gbk_text.h"
#include "store/slot_names.h"

namespace {

std::filesystem::path test_folder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path();
}

struct Search {
    DWORD process;
    const wchar_t* cls;
    HWND found = nullptr;
};

BOOL CALLBACK find_top(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == s->process && IsWindowVisible(hwnd) && std::wstring(cls) == s->cls) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND find_visible_top_level(DWORD process, const wchar_t* cls) {
    Search s{process, cls};
    EnumWindows(find_top, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct ChildList {
    const wchar_t* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_child(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<ChildList*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (_wcsicmp(cls, list->cls) == 0) list->found.push_back(hwnd);
    return TRUE;
}

int top_of(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

int left_of(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
}

}  // namespace

std::string file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

EditorRun::EditorRun(std::optional<std::vector<std::string>> slots) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::filesystem::path(temp) /
              (L"editor_run_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(test_folder() / L"editor.exe", folder_ / L"editor.exe");
    if (!slots) return;
    std::filesystem::create_directories(folder_ / formhost::win32::widen("数据库"));
    for (std::size_t i = 0; i < slots->size() && i < store::kSlotCount; ++i)
        std::ofstream(slot_file(store::kSlotFiles[i]), std::ios::binary) << (*slots)[i];
}

EditorRun::~EditorRun() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path EditorRun::slot_file(const std::string& gbk_name) const {
    return folder_ / formhost::win32::widen(gbk_name);
}

bool EditorRun::start() {
    const std::wstring exe = (folder_ / L"editor.exe").wstring();
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    // Started from another folder: the editor must find its store by itself.
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, test_folder().c_str(), &si,
                        &process_))
        return false;
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    const DWORD deadline = GetTickCount() + 20000;
    while (GetTickCount() < deadline) {
        if ((window_ = find_visible_top_level(process_.dwProcessId, L"FormHostWindow"))) {
            thread_ = GetWindowThreadProcessId(window_, nullptr);
            return true;
        }
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return false;
    }
    return false;
}

std::vector<HWND> EditorRun::children(const wchar_t* cls) const {
    ChildList list{cls};
    EnumChildWindows(window_, collect_child, reinterpret_cast<LPARAM>(&list));
    return list.found;
}

HWND EditorRun::box(int row) const {
    for (HWND h : children(L"Edit"))
        if (top_of(h) == 80 + 40 * (row - 1)) return h;
    return nullptr;
}

HWND EditorRun::save_button(int row) const {
    for (HWND h : children(L"Button"))
        if (left_of(h) == 448 && top_of(h) == 80 + 40 * (row - 1)) return h;
    return nullptr;
}

HWND EditorRun::download_button() const {
    for (HWND h : children(L"Button"))
        if (left_of(h) == 592) return h;
    return nullptr;
}

std::wstring EditorRun::text(HWND control) const {
    const auto length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void EditorRun::type(HWND control, const std::wstring& text) const {
    // The caret goes to the end first, as a click after the text would put it.
    const std::size_t before = this->text(control).size();
    SendMessageW(control, EM_SETSEL, before, before);
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
    // The characters are taken in order by the editor's thread; wait for them.
    const DWORD deadline = GetTickCount() + 5000;
    while (GetTickCount() < deadline && this->text(control).size() < before + text.size()) Sleep(20);
}

void EditorRun::click(HWND button) const { PostMessageW(button, BM_CLICK, 0, 0); }

std::optional<EditorRun::Box> EditorRun::answer_message_box(DWORD timeout_ms) const {
    const DWORD deadline = GetTickCount() + timeout_ms;
    while (GetTickCount() < deadline) {
        if (HWND box = find_visible_top_level(process_.dwProcessId, L"#32770")) {
            Box b;
            b.caption = text(box);
            b.text = text(GetDlgItem(box, 0xFFFF));
            // The icon of a message box is a static control showing an icon.
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (SendMessageW(child, STM_GETICON, 0, 0)) b.icon_style = MB_ICONERROR;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return b;
        }
        Sleep(30);
    }
    return std::nullopt;
}

std::optional<DWORD> EditorRun::wait_for_exit(DWORD timeout_ms) {
    if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}
