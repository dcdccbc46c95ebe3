#include "tests/support/memory_registry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

long setNumber(Registry& reg, KeyHandle key, std::u16string_view name, std::uint32_t number) {
    return reg.setValue(key, name, regtype::kDword, &number, sizeof number);
}

TEST(MemoryRegistry, CountsOpenHandlesAndIgnoresRoots) {
    MemoryRegistry reg;
    EXPECT_EQ(reg.openHandleCount(), 0);
    {
        RegKey a;
        ASSERT_EQ(createKey(reg, kLocalMachine, u"Comm\\Ident", a), status::kSuccess);
        RegKey b;
        ASSERT_EQ(openKey(reg, kLocalMachine, u"Comm", 0, b), status::kSuccess);
        RegKey missing;
        EXPECT_EQ(openKey(reg, kLocalMachine, u"Comm\\NE2000", 0, missing), status::kFileNotFound);
        EXPECT_EQ(reg.openHandleCount(), 2);
        reg.closeKey(kCurrentUser);
        reg.closeKey(kLocalMachine);
        // A key deleted under an open handle still counts until that handle is closed.
        ASSERT_EQ(reg.deleteTree(kLocalMachine, u"Comm"), status::kSuccess);
        EXPECT_EQ(reg.openHandleCount(), 2);
        EXPECT_EQ(setNumber(reg, a.handle(), u"X", 1), status::kKeyDeleted);
    }
    EXPECT_EQ(reg.openHandleCount(), 0);

    // The roots work from the start; an unknown or closed handle is refused.
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"X", 1), status::kSuccess);
    KeyHandle key = 0;
    ASSERT_EQ(reg.openKey(kCurrentUser, u"", 0, key), status::kSuccess);
    reg.closeKey(key);
    EXPECT_EQ(setNumber(reg, key, u"X", 1), status::kInvalidHandle);
}

TEST(MemoryRegistry, RootsAreSeparate) {
    MemoryRegistry reg;
    RegKey key;
    ASSERT_EQ(createKey(reg, kCurrentUser, u"Software\\Apps", key), status::kSuccess);
    EXPECT_EQ(openKey(reg, kLocalMachine, u"Software\\Apps", 0, key), status::kFileNotFound);
}

TEST(MemoryRegistry, KeyFaultsHitOpenOrCreateOfThatPathOnly) {
    MemoryRegistry reg;
    RegKey key;
    ASSERT_EQ(createKey(reg, kLocalMachine, u"Comm\\Ident", key), status::kSuccess);
    reg.failKey(kLocalMachine, u"\\comm\\IDENT", status::kAccessDenied, true, false);

    EXPECT_EQ(openKey(reg, kLocalMachine, u"Comm\\Ident", 0, key), status::kAccessDenied);
    EXPECT_FALSE(key.isOpen());
    RegKey comm;
    ASSERT_EQ(openKey(reg, kLocalMachine, u"Comm", 0, comm), status::kSuccess);
    EXPECT_EQ(openKey(reg, comm.handle(), u"Ident", 0, key), status::kAccessDenied);
    EXPECT_EQ(openKey(reg, kCurrentUser, u"Comm\\Ident", 0, key), status::kFileNotFound);
    EXPECT_EQ(createKey(reg, kLocalMachine, u"Comm\\Ident", key), status::kSuccess);

    reg.failKey(kCurrentUser, u"Software\\New", 1009, false, true);
    EXPECT_EQ(createKey(reg, kCurrentUser, u"Software\\New", key), 1009);
    EXPECT_EQ(openKey(reg, kCurrentUser, u"Software", 0, key), status::kFileNotFound)
        << "a failed create leaves nothing behind";
    EXPECT_EQ(createKey(reg, kCurrentUser, u"Software\\New\\Deeper", key), status::kSuccess);

    reg.clearFaults();
    EXPECT_EQ(openKey(reg, kLocalMachine, u"Comm\\Ident", 0, key), status::kSuccess);
}

TEST(MemoryRegistry, ValueFaultsRefuseTheWriteAndKeepTheOldValue) {
    MemoryRegistry reg;
    RegKey tcpip;
    ASSERT_EQ(createKey(reg, kLocalMachine, u"Comm\\NE2000\\Parms\\TcpIp", tcpip),
              status::kSuccess);
    RegKey ident;
    ASSERT_EQ(createKey(reg, kLocalMachine, u"Comm\\Ident", ident), status::kSuccess);
    ASSERT_EQ(setNumber(reg, tcpip.handle(), u"EnableDHCP", 1), status::kSuccess);

    reg.failValue(u"enabledhcp", status::kAccessDenied, kLocalMachine,
                  u"Comm\\NE2000\\Parms\\TcpIp");
    EXPECT_EQ(setNumber(reg, tcpip.handle(), u"EnableDHCP", 0), status::kAccessDenied);
    EXPECT_EQ(setNumber(reg, ident.handle(), u"EnableDHCP", 0), status::kSuccess);
    std::uint32_t number = 0;
    std::uint32_t size = sizeof number;
    ASSERT_EQ(reg.queryValue(tcpip.handle(), u"EnableDHCP", nullptr, &number, &size),
              status::kSuccess);
    EXPECT_EQ(number, 1u);

    reg.failValue(u"Domain", 1013);  // under every key
    EXPECT_EQ(setNumber(reg, ident.handle(), u"Domain", 0), 1013);
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"DOMAIN", 0), 1013);
    EXPECT_EQ(reg.queryValue(ident.handle(), u"Domain", nullptr, nullptr, &size),
              status::kFileNotFound);
}

TEST(MemoryRegistry, TheNthWriteFailsOnce) {
    MemoryRegistry reg;
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"Before", 0), status::kSuccess);
    reg.failNthSetValue(3, status::kAccessDenied);
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"A", 1), status::kSuccess);
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"B", 2), status::kSuccess);
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"C", 3), status::kAccessDenied);
    EXPECT_EQ(setNumber(reg, kCurrentUser, u"D", 4), status::kSuccess);
    EXPECT_EQ(reg.setValueCount(), 5);
    std::uint32_t size = 0;
    EXPECT_EQ(reg.queryValue(kCurrentUser, u"C", nullptr, nullptr, &size), status::kFileNotFound);
    EXPECT_EQ(reg.queryValue(kCurrentUser, u"B", nullptr, nullptr, &size), status::kSuccess);
}

}  // namespace
}  // namespace corvane
