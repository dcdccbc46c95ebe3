// The four pages of the "Network Settings" sheet as data: what each page's controls show when it
// opens, what a click changes, and what it stores on confirmation or why it refuses. The sheet's
// Win32 half puts these into the real controls and reads the controls back.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/message.h"
#include "core/net_settings.h"

namespace corvane {

inline constexpr int kLogonPage = 0;
inline constexpr int kIpAddressPage = 1;
inline constexpr int kDnsPage = 2;
inline constexpr int kProxyPage = 3;
inline constexpr int kPageCount = 4;

struct PageTab {
    int textId;      // the tab's text in the string table
    int templateId;  // the page's dialog template
};
// The tabs in their order.
extern const PageTab kPageTabs[kPageCount];

inline constexpr int kDomainEditChars = 16;
inline constexpr int kProxyPortEditChars = 10;
// A typed proxy server with its zero takes at most 512 bytes, what a profile file holds.
inline constexpr int kProxyServerEditChars = 255;

enum class ControlKind { Edit, Address, Button, Static };

// One control of a page: what it shows, or what the user left in it.
struct ControlState {
    int id = 0;
    ControlKind kind = ControlKind::Edit;
    std::u16string text;   // an edit box's text; an address control's text, "" when blank
    bool checked = false;  // a check box or radio button
    bool enabled = true;
    bool visible = true;
    int limit = 0;      // the most characters an edit box takes; 0 leaves the template's
    bool bold = false;  // takes the bold font (push buttons and group boxes always do)

    bool operator==(const ControlState&) const = default;
};
using PageControls = std::vector<ControlState>;

// The controls of page `index`, as they show `record` when the page opens. The soft-reset note
// of the Proxy Server page is hidden when `proxyNoteHidden`.
PageControls loadPage(int index, const NetSettings& record, bool proxyNoteHidden);

// The controls whose state a click on control `id` changes (the radio buttons are not automatic:
// the page checks them itself), given the check box's state after the click.
struct PageChange {
    std::vector<std::pair<int, bool>> checked;
    std::vector<std::pair<int, bool>> enabled;

    bool operator==(const PageChange&) const = default;
};
PageChange pageCommand(int index, int id, bool checked);

// Why a page refused its values: the message, and the control to put the focus in.
struct PageRefusal {
    int control = 0;
    Message message;

    bool operator==(const PageRefusal&) const = default;
};

// Page `index` stores what the user left in its controls into the record (the page's own
// fields only). An address that is not valid refuses: its field is left empty.
std::optional<PageRefusal> savePage(int index, const PageControls& controls, NetSettings& record);

}  // namespace corvane
