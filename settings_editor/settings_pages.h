// The four pages of the "Network Settings" sheet: what each page loads from the record, what it
// stores back on confirmation, and when it refuses. The pages' controls are reached through
// PageControls, real dialog items in the program and a fake in tests.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/net_settings.h"
#include "core/ui.h"

namespace corvane {

class AppState;

// Sent by the sheet to each page on confirmation; lParam points to a 32-bit result that the page
// sets to 1 to accept its values.
inline constexpr std::uint32_t WM_SAVEPAGE = 1125;

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

// One page's controls by id.
class PageControls {
  public:
    virtual ~PageControls() = default;
    // Reads at most buffer.size() - 1 characters and terminates.
    virtual void readText(int id, std::span<char16_t> buffer) = 0;
    virtual void setText(int id, std::u16string_view text) = 0;
    virtual void limitText(int id, int chars) = 0;
    virtual bool isChecked(int id) = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // Checks `id` and clears the other radio buttons from `first` to `last`.
    virtual void checkRadio(int first, int last, int id) = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual void show(int id, bool visible) = 0;
    virtual void setFont(int id, FontRef font) = 0;
    // The text as an unsigned decimal number; false (and 0) when it is not one.
    virtual bool readUnsigned(int id, std::uint32_t& value) = 0;
    virtual void setUnsigned(int id, std::uint32_t value) = 0;
    // The address controls' text operations.
    virtual void setAddress(int id, const char16_t* text) = 0;
    virtual void readAddress(int id, std::span<char16_t> buffer) = 0;
    virtual void focus(int id) = 0;
    // The sheet around the page: its window, and bringing page `index` to the front.
    virtual WindowRef sheetWindow() = 0;
    virtual void showPage(int index) = 0;
};

// Reads address control `control` into `field`; when the text is not a valid address (blank
// counting as valid only with `allowBlank`), says so, brings the page forward, puts the focus in
// the control, empties the field and returns false.
bool CheckAddressField(AppState& state, PageControls& page, int pageIndex, int control,
                       std::span<char16_t> field, bool allowBlank);

// Page `index` shows the record in its controls.
void loadPage(AppState& state, PageControls& page, int index, const NetSettings& record);
// Page `index` stores its controls into the record; false when it refuses them.
bool savePage(AppState& state, PageControls& page, int index, NetSettings& record);
// A command from control `id` of page `index`.
void pageCommand(PageControls& page, int index, int id);

// The soft-reset note of the Proxy Server page is hidden from version 2.11 on, each part
// compared on its own; an unknown version keeps it.
bool proxyNoteHidden(AppState& state);

}  // namespace corvane
