// What the program relies on from any registry backend, as one suite over the operations it
// calls. A test program includes this header in exactly one file and instantiates the suite once
// per backend:
//
//   INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance, testing::Values(memoryBackend()),
//                            backendName);
//
// Every test works below a fresh scratch key that the backend's scratch object removes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/text.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {

// A backend with an empty key to work under; its destructor removes that key.
class RegistryScratch {
  public:
    virtual ~RegistryScratch() = default;
    virtual Registry& registry() = 0;
    virtual std::u16string path() const = 0;  // below HKEY_CURRENT_USER, no leading backslash
};

struct RegistryBackend {
    const char* name;
    std::unique_ptr<RegistryScratch> (*make)();
};

inline void PrintTo(const RegistryBackend& backend, std::ostream* out) {
    *out << backend.name;
}

inline std::string backendName(const testing::TestParamInfo<RegistryBackend>& info) {
    return info.param.name;
}

class MemoryScratch : public RegistryScratch {
  public:
    ~MemoryScratch() override {
        EXPECT_EQ(registry_.deleteTree(kCurrentUser, path()), status::kSuccess);
        EXPECT_EQ(registry_.openHandleCount(), 0);
    }
    Registry& registry() override { return registry_; }
    std::u16string path() const override { return u"Software\\Corvane Tests\\Scratch"; }

  private:
    MemoryRegistry registry_;
};

inline RegistryBackend memoryBackend() {
    return {"Memory", [] { return std::unique_ptr<RegistryScratch>(new MemoryScratch); }};
}

class RegistryConformance : public testing::TestWithParam<RegistryBackend> {
  protected:
    void SetUp() override {
        scratch_ = GetParam().make();
        ASSERT_EQ(createKey(reg(), kCurrentUser, scratch_->path(), base_), status::kSuccess);
    }

    Registry& reg() { return scratch_->registry(); }
    KeyHandle base() const { return base_.handle(); }
    // The path of `sub` from the root, with the handheld's leading backslash.
    std::u16string rooted(std::u16string_view sub) const {
        return u"\\" + scratch_->path() + u"\\" + std::u16string(sub);
    }
    // The subkeys' names, listed until 259.
    std::vector<std::u16string> subkeys(KeyHandle key) {
        std::vector<std::u16string> names;
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[256];
            std::uint32_t chars = 256;
            const long result = reg().enumKey(key, i, name, chars);
            if (result != status::kSuccess) {
                EXPECT_EQ(result, status::kNoMoreItems);
                return names;
            }
            EXPECT_EQ(chars, textOf(name).size());
            names.emplace_back(textOf(name));
        }
    }

    std::unique_ptr<RegistryScratch> scratch_;
    RegKey base_;  // closed before the scratch goes
};

// Every key here is opened with access 0, as on the handheld, and then read, listed and written.
TEST_P(RegistryConformance, KeysAreMadeWholeAndFoundWithoutRegardToCase) {
    putString(reg(), base(), u"One\\Two\\Three", u"Mark", u"x");
    RegKey key;  // creating an existing key opens it and keeps what it holds
    ASSERT_EQ(createKey(reg(), base(), u"ONE\\two\\Three", key), status::kSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(reg().queryValue(key.handle(), u"MARK", nullptr, nullptr, &size), status::kSuccess);
    EXPECT_EQ(size, 4u);

    // Relative to an open key, or from the root with the handheld's leading backslash.
    ASSERT_EQ(openKey(reg(), base(), u"one", 0, key), status::kSuccess);
    EXPECT_EQ(subkeys(key.handle()), std::vector<std::u16string>{u"Two"}) << "the stored case";
    EXPECT_TRUE(keyExists(reg(), key.handle(), u"Two\\Three"));
    EXPECT_TRUE(keyExists(reg(), kCurrentUser, rooted(u"One\\Two")));
    RegKey made;
    EXPECT_EQ(createKey(reg(), kCurrentUser, rooted(u"One\\Four"), made), status::kSuccess);
    EXPECT_EQ(openKey(reg(), base(), u"One\\Missing", 0, key), status::kFileNotFound);
    EXPECT_FALSE(key.isOpen());
}

TEST_P(RegistryConformance, SubkeysListSortedWithoutRegardToCaseAndNeedRoomForTheZero) {
    for (const auto* name : {u"charlie", u"Alpha", u"bravo", u"Delta"}) {
        putKey(reg(), base(), name);
    }
    EXPECT_EQ(subkeys(base()),
              (std::vector<std::u16string>{u"Alpha", u"bravo", u"charlie", u"Delta"}));
    char16_t name[16];
    std::uint32_t chars = 7;  // "charlie" needs 8
    EXPECT_EQ(reg().enumKey(base(), 2, name, chars), status::kMoreData);
    chars = 8;
    ASSERT_EQ(reg().enumKey(base(), 2, name, chars), status::kSuccess);
    EXPECT_EQ(chars, 7u);
    EXPECT_EQ(std::u16string_view(name, 8), std::u16string_view(u"charlie\0", 8));
}

TEST_P(RegistryConformance, ValuesKeepTypeAndExactBytesAndTooSmallBuffersFailWith234) {
    RegKey key;
    ASSERT_EQ(createKey(reg(), base(), u"Values", key), status::kSuccess);
    const char16_t text[] = u"10.0.0.1";  // 18 bytes with the zero
    const char16_t multi[] =
        u"10.0.0.2\0"
        u"10.0.0.3\0";  // and the final zero: 38 bytes
    const std::uint32_t number = 0x12345678;
    const unsigned char bytes[] = {1, 0, 255};
    const struct {
        const char16_t* name;
        std::uint32_t type;
        const void* data;
        std::uint32_t size;
    } cases[] = {
        {u"IpAddress", regtype::kString, text, sizeof text},
        {u"DNS", regtype::kMultiString, multi, sizeof multi},
        {u"EnableDHCP", regtype::kDword, &number, sizeof number},
        {u"Other", 11, bytes, sizeof bytes},  // a type the program does not know is kept too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.name));
        ASSERT_EQ(reg().setValue(key.handle(), c.name, c.type, c.data, c.size), status::kSuccess);
        unsigned char buffer[64] = {};
        std::uint32_t size = c.size - 1;
        EXPECT_EQ(reg().queryValue(key.handle(), c.name, nullptr, buffer, &size),
                  status::kMoreData);
        const RawValue value = getRaw(reg(), base(), u"Values", c.name);
        const auto* data = static_cast<const unsigned char*>(c.data);
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.data, std::vector<unsigned char>(data, data + c.size));
    }
    // Writing a value again replaces its type and data; a missing value is 2.
    putString(reg(), base(), u"Values", u"EnableDHCP", u"x");
    EXPECT_EQ(getRaw(reg(), base(), u"Values", u"EnableDHCP").type, regtype::kString);
    EXPECT_EQ(getRaw(reg(), base(), u"Values", u"Missing").result, status::kFileNotFound);

    // Listed by index: name, type and data; 234 when the name or data does not fit, 259 past
    // the last. The order is not part of the contract.
    std::vector<std::u16string> listed;
    for (std::uint32_t index = 0;; ++index) {
        char16_t name[16];
        std::uint32_t chars = 16;
        unsigned char data[64];
        std::uint32_t type = 0;
        std::uint32_t size = sizeof data;
        const long result = reg().enumValue(key.handle(), index, name, chars, type, data, size);
        if (result == status::kNoMoreItems) {
            break;
        }
        ASSERT_EQ(result, status::kSuccess);
        listed.push_back(std::u16string(name, chars) + u"=" + fromUtf8(std::to_string(size)));
        chars = 3;  // "DNS" needs 4 with its zero
        EXPECT_EQ(reg().enumValue(key.handle(), index, name, chars, type, data, size),
                  status::kMoreData);
        chars = 16;
        size = 1;
        EXPECT_EQ(reg().enumValue(key.handle(), index, name, chars, type, data, size),
                  status::kMoreData);
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"DNS=38", u"EnableDHCP=4", u"IpAddress=18",
                                                   u"Other=3"}));
}

TEST_P(RegistryConformance, DeleteTreeRemovesTheKeyWithEverythingBelowItAndNothingElse) {
    for (const auto* path : {u"Profiles\\Home\\Deep", u"Profiles\\Office", u"Profiles-Kept"}) {
        putString(reg(), base(), path, u"Value", path);
    }
    EXPECT_EQ(reg().deleteTree(base(), u"profiles"), status::kSuccess);
    EXPECT_FALSE(keyExists(reg(), base(), u"Profiles\\Office"));
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"Profiles-Kept"});
    EXPECT_EQ(reg().deleteTree(base(), u"Profiles"), status::kFileNotFound);
    // An empty path must not empty the parent.
    EXPECT_EQ(reg().deleteTree(base(), u""), status::kInvalidParameter);
    EXPECT_EQ(reg().deleteTree(base(), u"\\"), status::kInvalidParameter);
    EXPECT_EQ(reg().deleteTree(kCurrentUser, rooted(u"Profiles-Kept")), status::kSuccess);
    EXPECT_TRUE(subkeys(base()).empty());
}

}  // namespace corvane
