#include "formhost/win32/program/form_resource.h"

#include <gtest/gtest.h>

#include "formhost/core/form_block.h"
#include "formhost/core/kind_data.h"
#include "host_basics_tests_routines.h"

namespace test_form {
void first() {}
void second() {}
}  // namespace test_form

namespace {

TEST(EmbeddedFormBlock, IsFoundInTheProgramAndReadsBack) {
    const auto bytes = formhost::win32::embedded_form_block();
    ASSERT_TRUE(bytes) << "no FORMBLOCK resource";
    const auto block = formhost::read_form_block(*bytes);
    ASSERT_TRUE(block) << "block of " << bytes->size() << " bytes does not read";
    EXPECT_TRUE(formhost::handler_references_valid(*block, test_form::kRoutines.size()));
    ASSERT_EQ(block->windows.size(), 1u);
    const auto& controls = block->windows[0].controls;
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[1].name, "按钮1");
    const auto window = std::get<formhost::WindowData>(
        *formhost::read_kind_data(controls[0].kind, controls[0].kind_data));
    EXPECT_EQ(window.title, "\xB2\xE2\xCA\xD4\xB4\xB0\xBF\xDA");  // 测试窗口
    EXPECT_EQ(controls[1].bindings, (std::vector<formhost::Binding>{{0, 1}}));
    EXPECT_EQ(test_form::kRoutines[1], &test_form::second);
}

}  // namespace
