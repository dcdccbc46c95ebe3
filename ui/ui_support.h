// Shared rules of the program's windows: help topics, centring above the taskbar, which controls
// take the bold font, and the fixed sizes of the texts a message box shows. The Win32 half
// (ui_support_win32) loads the texts and shows the boxes.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// Help topics: the help file (resources/corvane.htm, shipped beside the program) and an anchor.
inline constexpr std::u16string_view kHelpMain = u"corvane.htm#corvane_help";
inline constexpr std::u16string_view kHelpProfiles = u"corvane.htm#profiles";
inline constexpr std::u16string_view kHelpImportExport = u"corvane.htm#impexp";
inline constexpr std::u16string_view kHelpTopics[] = {kHelpMain, kHelpProfiles, kHelpImportExport};

// Buffer sizes in characters, terminating zero included.
inline constexpr int kDefaultStringChars = 128;  // a string loaded without a size
inline constexpr int kCaptionChars = 20;
inline constexpr int kMessageChars = 260;
inline constexpr int kFormattedChars = 520;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};
// Where a window goes to be centred in the screen above the taskbar, whose height the menu
// bar's stands for. Halves truncate toward zero; a window larger than the screen goes negative.
ScreenPoint centeredPosition(int screenWidth, int screenHeight, int menuBarHeight, int windowWidth,
                             int windowHeight);

// Push buttons, default push buttons and group boxes take the bold font; nothing else does.
bool takesBoldFont(std::u16string_view className, std::uint32_t style);

}  // namespace corvane
