// A form's window class name never takes the host's windows away from it.
#include <windows.h>

#include <gtest/gtest.h>

#include "formhost/win32/windows/host_window_class.h"

namespace {

using formhost::win32::host_window_class;

TEST(HostWindowClass, ClassesOfTheSystemOrTheHostGiveTheDefaultClass) {
    const std::wstring default_class = host_window_class("");
    ASSERT_FALSE(default_class.empty());
    for (const char* name : {"Edit", "BUTTON", "Static", "#32770", "FormHostTimer", "FormHostWindow"})
        EXPECT_EQ(host_window_class(name), default_class) << name;
}

TEST(HostWindowClass, AClassRegisteredByAnotherPartOfTheProcessGivesTheDefaultClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SomebodyElsesClass";
    ASSERT_TRUE(RegisterClassExW(&wc));
    EXPECT_EQ(host_window_class("SomebodyElsesClass"), host_window_class(""));
}

TEST(HostWindowClass, AnyOtherNameIsTheHostsOwnClassUnderThatName) {
    EXPECT_EQ(host_window_class("ConfessionStage"), L"ConfessionStage");
    EXPECT_EQ(host_window_class("ConfessionStage"), L"ConfessionStage") << "a second window of the class";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"ConfessionStage", &wc));
}

}  // namespace
