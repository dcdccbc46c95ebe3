#include "tests/support/profile_world.h"

#include <gtest/gtest.h>

#include "core/net_settings.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

std::u16string tcpipPath(std::u16string_view keyName) {
    return u"Comm\\" + std::u16string(keyName) + u"\\Parms\\TcpIp";
}

}  // namespace

ProfileWorld::ProfileWorld() {
    state.registry = &registry;
    state.ui = &ui;
    state.system = &system;
    state.menus = &menus;
    state.views = &views;
    state.hwndMain = kMain;
    state.hwndCurrent = kMain;
    state.helpProgram = kHelpProgram;
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kdurand");
}

void ProfileWorld::addAdapter(std::u16string_view keyName, std::u16string_view displayName,
                              std::u16string_view ipAddress) {
    const std::u16string key = u"Comm\\" + std::u16string(keyName);
    putString(registry, kLocalMachine, key, u"Group", u"NDIS");
    putString(registry, kLocalMachine, key, u"DisplayName", displayName);
    putDword(registry, kLocalMachine, tcpipPath(keyName), u"EnableDHCP", 0);
    putMulti(registry, kLocalMachine, tcpipPath(keyName), u"IpAddress", {ipAddress});
}

int ProfileWorld::loadAdapters() {
    state.adapters = std::make_unique<AdapterList>();
    return state.adapters->enumerate(registry);
}

void ProfileWorld::addProfile(std::u16string_view name, std::u16string_view ipAddress) {
    NetSettings record;
    setDefaults(record);
    record.dhcpEnabled = 0;
    copyText(record.ipAddress, ipAddress);
    copyText(record.subnetMask, u"255.255.255.0");
    ASSERT_TRUE(saveProfile(state, name, record));
}

void ProfileWorld::setDefault(std::u16string_view adapterKey, std::u16string_view name) {
    putString(registry, kCurrentUser,
              std::u16string(kAppKeyPath) + u"\\" + std::u16string(adapterKey), u"DefProfile",
              name);
}

std::u16string ProfileWorld::defaultOf(std::u16string_view adapterKey) {
    const RawValue value =
        getRaw(registry, kCurrentUser,
               std::u16string(kAppKeyPath) + u"\\" + std::u16string(adapterKey), u"DefProfile");
    return value.result == status::kSuccess ? std::u16string(textOf(value.chars())) : u"(none)";
}

std::u16string ProfileWorld::systemIp(std::u16string_view adapterKey) {
    return std::u16string(
        textOf(getRaw(registry, kLocalMachine, tcpipPath(adapterKey), u"IpAddress").chars()));
}

FakeDialogViews& ProfileWorld::openDialog(int adapterIndex) {
    FakeDialogViews& dialog = views.dialogs[kDialog];
    dialog.adapterSelection = adapterIndex;
    state.hwndCurrent = kDialog;
    return dialog;
}

std::vector<std::u16string> ProfileWorld::messages() const {
    std::vector<std::u16string> texts;
    for (const RecordedMessageBox& box : ui.boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

std::u16string ProfileWorld::text(int id, std::u16string_view argument) {
    std::u16string format = appString(id);
    const auto at = format.find(u"%s");
    if (at != std::u16string::npos) {
        format.replace(at, 2, argument);
    }
    return format;
}

}  // namespace corvane
