#include "settings_editor/settings_editor_win32.h"

#include "platform/handles_win32.h"
#include "settings_editor/settings_sheet_win32.h"

namespace corvane {

bool SheetSettingsEditor::edit(AppState& state, WindowRef owner, NetSettings& record) {
    SettingsSheet sheet(state, &record);
    return sheet.Run(toHwnd(owner));
}

}  // namespace corvane
