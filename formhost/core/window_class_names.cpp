#include "window_class_names.h"

#include <algorithm>

namespace formhost {
namespace {

// user32's classes, the dialog and menu classes among them, and the common
// controls a program may meet. A table, laid out as one by hand.
// clang-format off
constexpr std::string_view kSystemClasses[] = {
    "Button",        "ComboBox",       "ComboLBox",        "Edit",          "ListBox",        "MDIClient",
    "ScrollBar",     "Static",         "Message",          "#32768",        "#32769",         "#32770",
    "#32771",        "#32772",         "DDEMLEvent",       "IME",           "SysListView32",  "SysTreeView32",
    "SysTabControl32", "SysHeader32",  "SysLink",          "SysAnimate32",  "SysDateTimePick32",
    "SysMonthCal32", "SysIPAddress32", "SysPager",         "ToolbarWindow32", "ReBarWindow32",
    "msctls_statusbar32", "msctls_progress32", "msctls_trackbar32", "msctls_updown32",
    "msctls_hotkey32", "tooltips_class32", "ComboBoxEx32", "NativeFontCtl", "RichEdit",
    "RichEdit20A",   "RichEdit20W",    "RICHEDIT50W",
};
// clang-format on
// Every class of the host's own is named with this prefix.
constexpr std::string_view kHostPrefix = "FormHost";

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

bool reserved_window_class_name(std::string_view name) {
    if (name.size() >= kHostPrefix.size() && same_ignoring_case(name.substr(0, kHostPrefix.size()), kHostPrefix))
        return true;
    return std::any_of(std::begin(kSystemClasses), std::end(kSystemClasses),
                       [&](std::string_view system) { return same_ignoring_case(name, system); });
}

}  // namespace formhost
