// Strings loaded from the program's own resources, cut to their buffers. The message boxes and
// the bold font are proven on the real dialogs that show and use them.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/handles_win32.h"
#include "resources/resource.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

TEST(UiSupportWin32Test, TextsAreCutToTheirBuffers) {
    AppState state;
    state.hInstance = toRef(GetModuleHandleW(nullptr));
    char16_t big[300] = {};
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, big), 127) << "no size means 128";
    char16_t small[10];
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, small, 500), 9) << "held to the buffer";
    EXPECT_EQ(loadAppString(state, 9999, small), 0);
    EXPECT_EQ(textOf(small), u"");
}

}  // namespace
}  // namespace corvane
