// The tabbed "Network Settings" editor: a modeless dialog with its own message loop, its owner
// disabled meanwhile, editing one record in place.
#pragma once

#include <windows.h>

#include "core/net_settings.h"

namespace corvane {

struct WindowState;

// Lets the user change `record` in the tabbed editor owned by `owner`; true when every page
// accepted its values on OK. On false the record may hold some pages' values: ignore it.
bool runSettingsSheet(WindowState& windows, HWND owner, NetSettings& record);

class SettingsSheet {
  public:
    SettingsSheet(WindowState& windows, NetSettings* settings);
    virtual ~SettingsSheet() = default;
    SettingsSheet(const SettingsSheet&) = delete;
    SettingsSheet& operator=(const SettingsSheet&) = delete;

    // Shows the sheet owned by `owner` until the user confirms or cancels; true when every page
    // accepted its values on OK. On false the record may hold some pages' values: ignore it.
    // A quit request of the application ends the sheet too (false) and is posted again for the
    // application's own loop.
    bool Run(HWND owner);
    // Brings the page of tab `index` to the front.
    void ShowPage(int index);

    HWND sheetWindow = nullptr;
    HWND currentPage = nullptr;
    NetSettings* settings = nullptr;
    WindowState& windows;

  private:
    static INT_PTR CALLBACK sheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void createPages();
    HWND pageAt(int index) const;
    void confirm();
    void finish(int exitCode);

    bool finished_ = false;  // the sheet posted its own quit
};

}  // namespace corvane
