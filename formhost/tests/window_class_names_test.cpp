#include "formhost/core/window_class_names.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

TEST(WindowClassNames, TheSystemsAndTheHostsClassesAreRefusedWhateverTheirCase) {
    for (const char* name : {"Edit", "EDIT", "button", "Static", "#32770", "FormHostWindow", "formhosttimer",
                             "FormHostAnythingElse", "SysListView32"})
        EXPECT_TRUE(reserved_window_class_name(name)) << name;
    for (const char* name : {"", "Editor", "EditX", "ConfessionStage", "Form", "#3277"})
        EXPECT_FALSE(reserved_window_class_name(name)) << name;
}

}  // namespace
}  // namespace formhost
