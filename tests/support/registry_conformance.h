// What the program relies on from any registry backend, as one suite. A test program includes
// this header in exactly one file and instantiates the suite once per backend:
//
//   INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance, testing::Values(memoryBackend()),
//                            backendName);
//
// Every test works below a fresh scratch key that the backend's scratch object removes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/text.h"
#include "tests/support/memory_registry.h"

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
    void TearDown() override {
        base_.close();
        scratch_.reset();
    }

    Registry& reg() { return scratch_->registry(); }
    KeyHandle base() const { return base_.handle(); }
    // The path of `sub` from the root, with the handheld's leading backslash.
    std::u16string rootedPath(std::u16string_view sub) const {
        std::u16string path(u"\\");
        path.append(scratch_->path()).append(u"\\").append(sub);
        return path;
    }

    long open(std::u16string_view path, RegKey& key) {
        return openKey(reg(), base(), path, 0, key);
    }
    long create(std::u16string_view path, RegKey& key) {
        return createKey(reg(), base(), path, key);
    }
    bool exists(std::u16string_view path) {
        RegKey key;
        return open(path, key) == status::kSuccess;
    }
    long setString(KeyHandle key, std::u16string_view name, std::u16string_view text) {
        const std::u16string data(text);
        return reg().setValue(key, name, regtype::kString, data.c_str(),
                              static_cast<std::uint32_t>((data.size() + 1) * sizeof(char16_t)));
    }
    long setDword(KeyHandle key, std::u16string_view name, std::uint32_t number) {
        return reg().setValue(key, name, regtype::kDword, &number, sizeof number);
    }
    std::uint32_t dword(KeyHandle key, std::u16string_view name) {
        std::uint32_t number = 0;
        std::uint32_t size = sizeof number;
        EXPECT_EQ(reg().queryValue(key, name, nullptr, &number, &size), status::kSuccess);
        return number;
    }
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
    RegKey base_;
};

// Every key here is opened with access 0, as on the handheld, and then read, listed and written.
TEST_P(RegistryConformance, KeysAreMadeWholeAndFoundWithoutRegardToCase) {
    RegKey key;
    ASSERT_EQ(create(u"One\\Two\\Three", key), status::kSuccess);
    ASSERT_EQ(setDword(key.handle(), u"Mark", 7), status::kSuccess);
    RegKey again;  // creating an existing key opens it and keeps what it holds
    ASSERT_EQ(create(u"ONE\\two\\Three", again), status::kSuccess);
    EXPECT_EQ(dword(again.handle(), u"mark"), 7u);
    // Written through another handle under another case: the same value.
    ASSERT_EQ(setString(again.handle(), u"MARK", u"x"), status::kSuccess);
    char16_t text[4] = {};
    std::uint32_t size = sizeof text;
    EXPECT_EQ(reg().queryValue(key.handle(), u"Mark", nullptr, text, &size), status::kSuccess);
    EXPECT_EQ(textOf(text), u"x");

    // Relative to an open key, or from the root with the handheld's leading backslash.
    RegKey one;
    ASSERT_EQ(open(u"one", one), status::kSuccess);
    EXPECT_EQ(subkeys(one.handle()), std::vector<std::u16string>{u"Two"}) << "the stored case";
    RegKey found;
    EXPECT_EQ(openKey(reg(), one.handle(), u"Two\\Three", 0, found), status::kSuccess);
    EXPECT_EQ(openKey(reg(), kCurrentUser, rootedPath(u"One\\Two"), 0, found), status::kSuccess);
    EXPECT_EQ(createKey(reg(), kCurrentUser, rootedPath(u"One\\Four"), found), status::kSuccess);

    RegKey missing;
    EXPECT_EQ(open(u"One\\Missing", missing), status::kFileNotFound);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(open(u"Nothing\\Three", missing), status::kFileNotFound);
}

TEST_P(RegistryConformance, SubkeysListSortedWithoutRegardToCaseAndEndWith259) {
    for (const auto* name : {u"charlie", u"Alpha", u"bravo", u"Delta"}) {
        RegKey key;
        ASSERT_EQ(create(name, key), status::kSuccess);
    }
    EXPECT_EQ(subkeys(base()),
              (std::vector<std::u16string>{u"Alpha", u"bravo", u"charlie", u"Delta"}));
    // The name buffer counts characters with the zero: "charlie" needs 8.
    char16_t name[16];
    std::uint32_t chars = 7;
    EXPECT_EQ(reg().enumKey(base(), 2, name, chars), status::kMoreData);
    chars = 8;
    ASSERT_EQ(reg().enumKey(base(), 2, name, chars), status::kSuccess);
    EXPECT_EQ(chars, 7u);
    EXPECT_EQ(std::u16string_view(name, 8), std::u16string_view(u"charlie\0", 8));
    chars = 16;
    EXPECT_EQ(reg().enumKey(base(), 4, name, chars), status::kNoMoreItems);
    EXPECT_EQ(reg().enumKey(base(), 1000, name, chars), status::kNoMoreItems);
}

TEST_P(RegistryConformance, ValuesKeepTypeAndExactSizeAndTooSmallBuffersFailWith234) {
    RegKey key;
    ASSERT_EQ(create(u"Values", key), status::kSuccess);
    const char16_t text[] = u"10.0.0.1";  // 18 bytes with the zero
    const char16_t multi[] =
        u"10.0.0.2\0"
        u"10.0.0.3\0";  // two strings and the final zero: 38 bytes
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
        std::uint32_t type = 0;
        std::uint32_t size = c.size - 1;
        unsigned char buffer[64] = {};
        EXPECT_EQ(reg().queryValue(key.handle(), c.name, &type, buffer, &size), status::kMoreData);
        EXPECT_EQ(size, c.size) << "the size needed";
        size = sizeof buffer;
        ASSERT_EQ(reg().queryValue(key.handle(), c.name, &type, buffer, &size), status::kSuccess);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(std::memcmp(buffer, c.data, c.size), 0);
    }
    // Writing a value again replaces its type and data.
    ASSERT_EQ(setString(key.handle(), u"EnableDHCP", u"x"), status::kSuccess);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(reg().queryValue(key.handle(), u"EnableDHCP", &type, nullptr, &size),
              status::kSuccess);
    EXPECT_EQ(type, regtype::kString);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(reg().queryValue(key.handle(), u"Missing", &type, nullptr, &size),
              status::kFileNotFound);

    // Listed by index: name, type and data; 234 when the name or data does not fit, 259 past
    // the last. The order is not part of the contract.
    std::vector<std::u16string> listed;
    for (std::uint32_t index = 0;; ++index) {
        char16_t name[16];
        std::uint32_t chars = 16;
        unsigned char data[64];
        size = sizeof data;
        const long result = reg().enumValue(key.handle(), index, name, chars, type, data, size);
        if (result == status::kNoMoreItems) {
            break;
        }
        ASSERT_EQ(result, status::kSuccess);
        listed.push_back(std::u16string(name, chars) + u"=" + fromUtf8(std::to_string(size)));
        chars = 3;  // "DNS" needs 4 with its zero
        std::uint32_t small = 1;
        EXPECT_EQ(reg().enumValue(key.handle(), index, name, chars, type, data, small),
                  status::kMoreData);
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"DNS=38", u"EnableDHCP=4", u"IpAddress=18",
                                                   u"Other=3"}));
}

TEST_P(RegistryConformance, DeleteTreeRemovesTheKeyWithEverythingBelowItAndNothingElse) {
    RegKey held;
    for (const auto* path : {u"Profiles\\Home\\Deep", u"Profiles\\Office", u"Profiles-Kept"}) {
        ASSERT_EQ(create(path, held), status::kSuccess);
        ASSERT_EQ(setString(held.handle(), u"Value", path), status::kSuccess);
    }
    ASSERT_EQ(create(u"Profiles\\Home", held), status::kSuccess);
    EXPECT_EQ(reg().deleteTree(base(), u"profiles"), status::kSuccess);
    EXPECT_FALSE(exists(u"Profiles\\Office"));
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"Profiles-Kept"});
    EXPECT_EQ(reg().deleteTree(base(), u"Profiles"), status::kFileNotFound);
    EXPECT_EQ(reg().deleteTree(kCurrentUser, rootedPath(u"Profiles-Kept")), status::kSuccess);

    // A handle to a deleted key fails safely.
    std::uint32_t size = 0;
    EXPECT_NE(reg().queryValue(held.handle(), u"Value", nullptr, nullptr, &size), status::kSuccess);
    EXPECT_NE(setString(held.handle(), u"Value", u"x"), status::kSuccess);
    RegKey child;
    EXPECT_NE(createKey(reg(), held.handle(), u"Child", child), status::kSuccess);
    held.close();

    // A recreated key starts empty; an empty path must not empty the parent.
    ASSERT_EQ(create(u"Profiles", held), status::kSuccess);
    EXPECT_TRUE(subkeys(held.handle()).empty());
    held.close();
    EXPECT_EQ(reg().deleteTree(base(), u""), status::kInvalidParameter);
    EXPECT_EQ(reg().deleteTree(base(), u"\\"), status::kInvalidParameter);
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"Profiles"});
}

}  // namespace corvane
