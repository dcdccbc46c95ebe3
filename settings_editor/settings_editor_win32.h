// The settings editor seam over the real "Network Settings" sheet.
#pragma once

#include "settings_editor/settings_editor.h"

namespace corvane {

class SheetSettingsEditor : public SettingsEditor {
  public:
    bool edit(AppState& state, WindowRef owner, NetSettings& record) override;
};

}  // namespace corvane
