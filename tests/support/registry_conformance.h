// What the program relies on from any registry backend, as one suite over the operations it
// calls. A test program includes this header in exactly one file and defines the backend:
//   std::unique_ptr<Registry> conformingRegistry() { return std::make_unique<MemoryRegistry>(); }
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/text.h"
#include "tests/support/registry_helpers.h"

namespace corvane {

std::unique_ptr<Registry> conformingRegistry();

// Every test works below a scratch key of the current user's, removed before and after: a real
// registry keeps what a crashed run left.
class RegistryConformance : public testing::Test {
  protected:
    static constexpr std::u16string_view kTests = u"Software\\Corvane Tests";
    static constexpr std::u16string_view kScratch = u"Software\\Corvane Tests\\Scratch";

    void SetUp() override {
        reg.deleteTree(kCurrentUser, kTests);
        ASSERT_EQ(createKey(reg, kCurrentUser, kScratch, base_), status::kSuccess);
    }
    void TearDown() override {
        base_.close();
        EXPECT_EQ(reg.deleteTree(kCurrentUser, kTests), status::kSuccess);
    }

    KeyHandle base() const { return base_.handle(); }
    // The names of the subkeys that fit `chars` characters with their zero, listed until 259; the
    // others fail with 234 and are left out.
    std::vector<std::u16string> subkeys(KeyHandle key, std::uint32_t chars = 256) {
        std::vector<std::u16string> names;
        for (std::uint32_t i = 0;; ++i) {
            std::u16string name(chars, u'#');  // so a missing zero shows
            std::uint32_t nameChars = chars;
            const long result = reg.enumKey(key, i, name.data(), nameChars);
            if (result == status::kSuccess) {
                names.emplace_back(textOf(name));
            } else if (result != status::kMoreData) {
                EXPECT_EQ(result, status::kNoMoreItems);
                return names;
            }
        }
    }

    std::unique_ptr<Registry> registry_ = conformingRegistry();
    Registry& reg = *registry_;
    RegKey base_;  // closed before the registry goes
};

// Every key here is opened with access 0, as on the handheld, and then read, listed and written.
TEST_F(RegistryConformance, KeysAreMadeWholeFoundWithoutRegardToCaseAndListedSorted) {
    putString(reg, base(), u"One\\Two\\Three", u"Mark", u"x");
    putString(reg, base(), u"ONE\\two\\Three", u"Other", u"y");  // creating it again keeps "Mark"
    EXPECT_EQ(getRaw(reg, base(), u"one\\TWO\\three", u"MARK").chars(), withZero(u"x"));
    for (const bool made : {true, false}) {  // creating tells whether the key itself was made
        RegKey key;
        bool created = !made;
        ASSERT_EQ(createKey(reg, base(), u"Made", key, &created), status::kSuccess);
        EXPECT_EQ(created, made);
    }

    // Listed in their stored case, sorted without regard to it.
    putKey(reg, base(), u"One\\four");
    putKey(reg, base(), u"One\\Charlie");
    RegKey key;
    ASSERT_EQ(openKey(reg, base(), u"one", 0, key), status::kSuccess);
    EXPECT_EQ(subkeys(key.handle(), 8), (std::vector<std::u16string>{u"Charlie", u"four", u"Two"}));
    EXPECT_EQ(subkeys(key.handle(), 7), (std::vector<std::u16string>{u"four", u"Two"}))
        << "Charlie needs 8";

    EXPECT_EQ(openKey(reg, base(), u"One\\Missing", 0, key), status::kFileNotFound);
    EXPECT_FALSE(key.isOpen());
}

TEST_F(RegistryConformance, ValuesKeepTypeAndExactBytesAndTooSmallBuffersFailWith234) {
    const auto value = [&](std::u16string_view name) {
        return getRaw(reg, base(), u"Values", name);
    };
    const unsigned char other[] = {1, 0, 255};  // of a type the program does not know
    putString(reg, base(), u"Values", u"IpAddress", u"10.0.0.1");
    putMulti(reg, base(), u"Values", u"DNS", {u"10.0.0.2", u"10.0.0.3"});
    putDword(reg, base(), u"Values", u"EnableDHCP", 0x12345678);
    putValue(reg, base(), u"Values", u"Other", 11, other, sizeof other);
    EXPECT_EQ(value(u"IpAddress").chars(), withZero(u"10.0.0.1"));
    EXPECT_EQ(value(u"DNS").chars(), withZero(u"10.0.0.2") + withZero(u"10.0.0.3") + u'\0');
    EXPECT_EQ(value(u"EnableDHCP").dword(), 0x12345678u);
    EXPECT_EQ(value(u"Other").data, std::vector<unsigned char>(other, other + sizeof other));

    // Listed by index as name=type:size, in no order the contract gives, then 259; 234 when the
    // name or the data does not fit, and for a query into a buffer a byte too small.
    RegKey key;
    ASSERT_EQ(openKey(reg, base(), u"Values", 0, key), status::kSuccess);
    const auto listed = [&](std::uint32_t index, std::uint32_t chars = 16,
                            std::uint32_t size = 64) {
        char16_t name[16];
        unsigned char data[64];
        std::uint32_t type = 0;
        const long result = reg.enumValue(key.handle(), index, name, chars, type, data, size);
        return result != status::kSuccess ? std::to_string(result)
                                          : toUtf8({name, chars}) + "=" + std::to_string(type) +
                                                ":" + std::to_string(size);
    };
    std::vector<std::string> all{listed(0), listed(1), listed(2), listed(3), listed(4)};
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{"259", "DNS=7:38", "EnableDHCP=4:4", "IpAddress=1:18",
                                             "Other=11:3"}));
    for (std::uint32_t index = 0; index < 4; ++index) {  // "DNS", the shortest name, needs 4
        EXPECT_EQ(listed(index, 3) + listed(index, 16, 1), "234234");
    }
    for (const auto* name : {u"IpAddress", u"DNS", u"EnableDHCP", u"Other"}) {
        unsigned char data[64];
        auto small = static_cast<std::uint32_t>(value(name).data.size() - 1);
        EXPECT_EQ(reg.queryValue(key.handle(), name, nullptr, data, &small), status::kMoreData);
    }

    // Writing a value again replaces its type and data. A removed value is gone, found without
    // regard to case; removing it again is 2.
    putString(reg, base(), u"Values", u"EnableDHCP", u"x");
    EXPECT_EQ(value(u"EnableDHCP").type, regtype::kString);
    EXPECT_EQ(reg.deleteValue(key.handle(), u"enabledhcp"), status::kSuccess);
    EXPECT_EQ(value(u"EnableDHCP").result, status::kFileNotFound);
    EXPECT_EQ(reg.deleteValue(key.handle(), u"EnableDHCP"), status::kFileNotFound);
    EXPECT_EQ(value(u"DNS").type, regtype::kMultiString);
}

TEST_F(RegistryConformance, DeleteTreeRemovesTheKeyWithEverythingBelowItAndNothingElse) {
    for (const auto* path : {u"Profiles\\Home\\Deep", u"Profiles\\Office", u"Profiles-Kept"}) {
        putString(reg, base(), path, u"Value", path);
    }
    EXPECT_EQ(reg.deleteTree(base(), u"profiles"), status::kSuccess);
    EXPECT_FALSE(keyExists(reg, base(), u"Profiles\\Home"));
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"Profiles-Kept"});
    EXPECT_EQ(reg.deleteTree(base(), u"Profiles"), status::kFileNotFound);
    // An empty path must not empty the parent.
    EXPECT_EQ(reg.deleteTree(base(), u""), status::kInvalidParameter);
}

}  // namespace corvane
