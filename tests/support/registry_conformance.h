// What the program relies on from any registry backend, as one suite. A test program includes
// this header in exactly one file and instantiates the suite once per backend:
//
//   INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance,
//                            testing::Values(memoryBackend()), backendName);
//
// Every test works below a fresh scratch key that the backend's scratch object removes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/text.h"
#include "tests/support/registry_scratch.h"

namespace corvane {

class RegistryConformance : public testing::TestWithParam<RegistryBackend> {
  protected:
    void SetUp() override {
        scratch_ = GetParam().make();
        ASSERT_EQ(createKey(reg(), scratch_->root(), scratch_->path(), base_), status::kSuccess);
    }
    void TearDown() override {
        base_.close();
        scratch_.reset();
    }

    Registry& reg() { return scratch_->registry(); }
    KeyHandle base() const { return base_.handle(); }
    // The path of `sub` from the root, with or without the handheld's leading backslash.
    // (Built by appending: GCC 12 at -O3 warns falsely on `literal + string`.)
    std::u16string fullPath(std::u16string_view sub, bool leadingBackslash = false) const {
        std::u16string path;
        if (leadingBackslash) {
            path.push_back(u'\\');
        }
        path.append(scratch_->path()).push_back(u'\\');
        path.append(sub);
        return path;
    }

    long open(std::u16string_view path, RegKey& key, std::uint32_t access = 0) {
        return openKey(reg(), base(), path, access, key);
    }
    long create(std::u16string_view path, RegKey& key) {
        return createKey(reg(), base(), path, key);
    }
    bool exists(std::u16string_view path) {
        RegKey key;
        return open(path, key) == status::kSuccess;
    }

    long setString(KeyHandle key, std::u16string_view name, std::u16string_view text) {
        std::u16string data(text);
        return reg().setValue(key, name, regtype::kString, data.c_str(),
                              static_cast<std::uint32_t>((data.size() + 1) * sizeof(char16_t)));
    }
    long setDword(KeyHandle key, std::u16string_view name, std::uint32_t number) {
        return reg().setValue(key, name, regtype::kDword, &number, sizeof number);
    }

    std::vector<std::u16string> subkeys(KeyHandle key) {
        std::vector<std::u16string> names;
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[256];
            std::uint32_t chars = 256;
            const long result = reg().enumKey(key, i, name, chars);
            if (result != status::kSuccess) {
                EXPECT_EQ(result, status::kNoMoreItems);
                break;
            }
            EXPECT_EQ(chars, textOf(name).size());
            names.emplace_back(textOf(name));
        }
        return names;
    }
    std::vector<std::u16string> valueNames(KeyHandle key) {
        std::vector<std::u16string> names;
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[256];
            std::uint32_t chars = 256;
            const long result = reg().enumValue(key, i, name, chars, nullptr, nullptr, nullptr);
            if (result != status::kSuccess) {
                EXPECT_EQ(result, status::kNoMoreItems);
                break;
            }
            names.emplace_back(textOf(name));
        }
        std::sort(names.begin(), names.end());  // value order is not part of the contract
        return names;
    }

    std::unique_ptr<RegistryScratch> scratch_;
    RegKey base_;
};

TEST_P(RegistryConformance, CreateMakesEveryMissingKeyAndOpenFindsOnlyExistingOnes) {
    {
        RegKey key;
        ASSERT_EQ(create(u"One\\Two\\Three", key), status::kSuccess);
        EXPECT_TRUE(key.isOpen());
        ASSERT_EQ(setDword(key.handle(), u"Mark", 7), status::kSuccess);
    }
    EXPECT_TRUE(exists(u"One"));
    EXPECT_TRUE(exists(u"One\\Two"));

    // Creating an existing key opens it and keeps what it holds.
    RegKey again;
    ASSERT_EQ(create(u"One\\Two\\Three", again), status::kSuccess);
    std::uint32_t mark = 0;
    std::uint32_t size = sizeof mark;
    EXPECT_EQ(reg().queryValue(again.handle(), u"Mark", nullptr, &mark, &size), status::kSuccess);
    EXPECT_EQ(mark, 7u);

    // A path relative to an open key reaches the same key.
    RegKey one;
    ASSERT_EQ(open(u"One", one), status::kSuccess);
    RegKey three;
    EXPECT_EQ(openKey(reg(), one.handle(), u"Two\\Three", 0, three), status::kSuccess);

    RegKey missing;
    EXPECT_EQ(open(u"One\\Missing", missing), status::kFileNotFound);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(open(u"One\\Missing\\Three", missing), status::kFileNotFound);
    EXPECT_EQ(open(u"Nothing", missing), status::kFileNotFound);
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"One"});
}

TEST_P(RegistryConformance, PathsWithALeadingBackslashWork) {
    RegKey created;
    ASSERT_EQ(createKey(reg(), scratch_->root(), fullPath(u"Comm\\Ident", true), created),
              status::kSuccess);
    RegKey opened;
    EXPECT_EQ(openKey(reg(), scratch_->root(), fullPath(u"Comm\\Ident", true), 0, opened),
              status::kSuccess);
    EXPECT_EQ(openKey(reg(), scratch_->root(), fullPath(u"Comm\\Ident"), 0, opened),
              status::kSuccess);
    EXPECT_EQ(open(u"\\Comm", opened), status::kSuccess);
    created.close();
    opened.close();
    EXPECT_EQ(reg().deleteTree(scratch_->root(), fullPath(u"Comm", true)), status::kSuccess);
    EXPECT_FALSE(exists(u"Comm"));
}

TEST_P(RegistryConformance, KeyOpenedWithAccessZeroCanBeReadEnumeratedAndWritten) {
    {
        RegKey key;
        ASSERT_EQ(create(u"Parms\\Sub", key), status::kSuccess);
        RegKey parms;
        ASSERT_EQ(open(u"Parms", parms), status::kSuccess);
        ASSERT_EQ(setDword(parms.handle(), u"Number", 3), status::kSuccess);
    }
    for (const std::uint32_t access : {0u, kKeyAllAccess}) {
        SCOPED_TRACE(access);
        RegKey key;
        ASSERT_EQ(open(u"Parms", key, access), status::kSuccess);
        std::uint32_t number = 0;
        std::uint32_t size = sizeof number;
        EXPECT_EQ(reg().queryValue(key.handle(), u"Number", nullptr, &number, &size),
                  status::kSuccess);
        EXPECT_EQ(number, 3u);
        EXPECT_EQ(subkeys(key.handle()), std::vector<std::u16string>{u"Sub"});
        const auto names = valueNames(key.handle());
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), u"Number");
        EXPECT_EQ(setDword(key.handle(), u"Written", access), status::kSuccess);
    }
}

TEST_P(RegistryConformance, NamesIgnoreCaseAndKeepTheirStoredCase) {
    RegKey key;
    ASSERT_EQ(create(u"MixedCase", key), status::kSuccess);
    RegKey other;
    EXPECT_EQ(open(u"MIXEDCASE", other), status::kSuccess);
    EXPECT_EQ(create(u"mixedcase", other), status::kSuccess);
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"MixedCase"});

    ASSERT_EQ(setString(key.handle(), u"ProxyServer", u"first"), status::kSuccess);
    EXPECT_EQ(valueNames(key.handle()), std::vector<std::u16string>{u"ProxyServer"});
    // Written through another handle under another case: the same value.
    ASSERT_EQ(setString(other.handle(), u"PROXYSERVER", u"second"), status::kSuccess);
    const auto names = valueNames(key.handle());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(equalsNoCase(names[0], u"ProxyServer"));
    char16_t text[16] = {};
    std::uint32_t size = sizeof text;
    EXPECT_EQ(reg().queryValue(key.handle(), u"proxyserver", nullptr, text, &size),
              status::kSuccess);
    EXPECT_EQ(textOf(text), u"second");

    EXPECT_EQ(reg().deleteValue(key.handle(), u"proxySERVER"), status::kSuccess);
    EXPECT_TRUE(valueNames(key.handle()).empty());
}

TEST_P(RegistryConformance, SubkeysEnumerateSortedWithoutRegardToCaseAndEndWith259) {
    for (const auto* name : {u"charlie", u"Alpha", u"bravo", u"Delta"}) {
        RegKey key;
        ASSERT_EQ(create(name, key), status::kSuccess);
    }
    EXPECT_EQ(subkeys(base()),
              (std::vector<std::u16string>{u"Alpha", u"bravo", u"charlie", u"Delta"}));
    char16_t name[16];
    std::uint32_t chars = 16;
    EXPECT_EQ(reg().enumKey(base(), 4, name, chars), status::kNoMoreItems);
    EXPECT_EQ(reg().enumKey(base(), 1000, name, chars), status::kNoMoreItems);
}

TEST_P(RegistryConformance, EnumerationNameBuffersCountCharactersWithTheZero) {
    RegKey key;
    ASSERT_EQ(create(u"Keys\\Adapter", key), status::kSuccess);         // 7 characters
    ASSERT_EQ(setDword(key.handle(), u"DhcpIP", 1), status::kSuccess);  // 6 characters
    RegKey keys;
    ASSERT_EQ(open(u"Keys", keys), status::kSuccess);

    char16_t name[16];
    std::uint32_t chars = 7;  // no room for the zero
    EXPECT_EQ(reg().enumKey(keys.handle(), 0, name, chars), status::kMoreData);
    chars = 8;
    ASSERT_EQ(reg().enumKey(keys.handle(), 0, name, chars), status::kSuccess);
    EXPECT_EQ(chars, 7u);
    EXPECT_EQ(std::u16string_view(name, 8), std::u16string_view(u"Adapter\0", 8));

    chars = 6;
    EXPECT_EQ(reg().enumValue(key.handle(), 0, name, chars, nullptr, nullptr, nullptr),
              status::kMoreData);
    chars = 7;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(reg().enumValue(key.handle(), 0, name, chars, &type, nullptr, &size),
              status::kSuccess);
    EXPECT_EQ(chars, 6u);
    EXPECT_EQ(std::u16string_view(name, 7), std::u16string_view(u"DhcpIP\0", 7));
    EXPECT_EQ(type, regtype::kDword);
    EXPECT_EQ(size, 4u);
    chars = 16;
    EXPECT_EQ(reg().enumValue(key.handle(), 1, name, chars, nullptr, nullptr, nullptr),
              status::kNoMoreItems);
}

TEST_P(RegistryConformance, ValueTypesRoundTripWithExactSizes) {
    RegKey key;
    ASSERT_EQ(create(u"Values", key), status::kSuccess);
    const char16_t text[] = u"10.0.0.1";  // 9 characters with the zero
    const char16_t multi[] =
        u"10.0.0.2\0"
        u"10.0.0.3\0";  // two strings and the final zero
    const std::uint32_t number = 0x12345678;
    const unsigned char bytes[] = {1, 0, 255};
    const unsigned char other[] = {9, 8, 7, 6, 5, 4, 3, 2};
    struct Case {
        const char16_t* name;
        std::uint32_t type;
        const void* data;
        std::uint32_t size;
    };
    const Case cases[] = {
        {u"IpAddress", regtype::kString, text, sizeof text},
        {u"DNS", regtype::kMultiString, multi, sizeof multi},
        {u"EnableDHCP", regtype::kDword, &number, sizeof number},
        {u"Blob", regtype::kBinary, bytes, sizeof bytes},
        {u"Other", 11, other, sizeof other},         // a type the program does not know is kept too
        {u"", regtype::kString, text, sizeof text},  // the key's default value
        {u"Empty", regtype::kString, u"", 2},
    };
    static_assert(sizeof text == 18 && sizeof multi == 38);
    for (const auto& c : cases) {
        ASSERT_EQ(reg().setValue(key.handle(), c.name, c.type, c.data, c.size), status::kSuccess);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.name));
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        ASSERT_EQ(reg().queryValue(key.handle(), c.name, &type, nullptr, &size), status::kSuccess);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);

        unsigned char buffer[64] = {};
        size = sizeof buffer;
        ASSERT_EQ(reg().queryValue(key.handle(), c.name, &type, buffer, &size), status::kSuccess);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(std::memcmp(buffer, c.data, c.size), 0);
    }
    EXPECT_EQ(valueNames(key.handle()).size(), std::size(cases));

    // Enumeration hands out type and data too.
    RegKey single;
    ASSERT_EQ(create(u"Single", single), status::kSuccess);
    ASSERT_EQ(setDword(single.handle(), u"EnableDHCP", number), status::kSuccess);
    char16_t name[32];
    std::uint32_t chars = 32;
    std::uint32_t type = 0;
    std::uint32_t data = 0;
    std::uint32_t size = sizeof data;
    ASSERT_EQ(reg().enumValue(single.handle(), 0, name, chars, &type, &data, &size),
              status::kSuccess);
    EXPECT_EQ(textOf(name), u"EnableDHCP");
    EXPECT_EQ(type, regtype::kDword);
    EXPECT_EQ(data, number);

    // Writing a value again replaces its type and data.
    ASSERT_EQ(setString(key.handle(), u"EnableDHCP", u"x"), status::kSuccess);
    ASSERT_EQ(reg().queryValue(key.handle(), u"EnableDHCP", &type, nullptr, &size),
              status::kSuccess);
    EXPECT_EQ(type, regtype::kString);
    EXPECT_EQ(size, 4u);
}

TEST_P(RegistryConformance, TooSmallDataBuffersFailWith234AndReportTheSizeNeeded) {
    RegKey key;
    ASSERT_EQ(create(u"Small", key), status::kSuccess);
    ASSERT_EQ(setString(key.handle(), u"Domain", u"WORKGROUP"), status::kSuccess);  // 20 bytes

    char16_t text[16] = {};
    std::uint32_t size = 19;
    EXPECT_EQ(reg().queryValue(key.handle(), u"Domain", nullptr, text, &size), status::kMoreData);
    EXPECT_EQ(size, 20u);
    size = 20;
    EXPECT_EQ(reg().queryValue(key.handle(), u"Domain", nullptr, text, &size), status::kSuccess);
    EXPECT_EQ(textOf(text), u"WORKGROUP");

    char16_t name[16];
    std::uint32_t chars = 16;
    size = 4;
    EXPECT_EQ(reg().enumValue(key.handle(), 0, name, chars, nullptr, text, &size),
              status::kMoreData);
    EXPECT_EQ(size, 20u);

    std::uint32_t type = 0;
    size = sizeof text;
    EXPECT_EQ(reg().queryValue(key.handle(), u"Missing", &type, text, &size),
              status::kFileNotFound);
}

TEST_P(RegistryConformance, DeleteTreeRemovesTheKeyWithEverythingBelowIt) {
    for (const auto* path : {u"Profiles\\Home\\Deep", u"Profiles\\Office", u"Keep"}) {
        RegKey key;
        ASSERT_EQ(create(path, key), status::kSuccess);
        ASSERT_EQ(setString(key.handle(), u"Value", path), status::kSuccess);
    }
    RegKey profiles;
    ASSERT_EQ(open(u"Profiles", profiles), status::kSuccess);
    ASSERT_EQ(setDword(profiles.handle(), u"Count", 2), status::kSuccess);
    profiles.close();

    EXPECT_EQ(reg().deleteTree(base(), u"profiles"), status::kSuccess);
    RegKey gone;
    EXPECT_EQ(open(u"Profiles", gone), status::kFileNotFound);
    EXPECT_EQ(open(u"Profiles\\Office", gone), status::kFileNotFound);
    EXPECT_EQ(subkeys(base()), std::vector<std::u16string>{u"Keep"});
    EXPECT_EQ(reg().deleteTree(base(), u"Profiles"), status::kFileNotFound);

    // A recreated key starts empty.
    ASSERT_EQ(create(u"Profiles", gone), status::kSuccess);
    EXPECT_TRUE(subkeys(gone.handle()).empty());
    EXPECT_TRUE(valueNames(gone.handle()).empty());
    gone.close();

    // A deeper path and an empty one: the empty path must not empty the parent.
    EXPECT_EQ(reg().deleteTree(base(), u"Profiles\\Nothing"), status::kFileNotFound);
    EXPECT_EQ(reg().deleteTree(base(), u""), status::kInvalidParameter);
    EXPECT_EQ(reg().deleteTree(base(), u"\\"), status::kInvalidParameter);
    EXPECT_EQ(subkeys(base()), (std::vector<std::u16string>{u"Keep", u"Profiles"}));
}

TEST_P(RegistryConformance, HandleToADeletedKeyFailsSafely) {
    RegKey held;
    ASSERT_EQ(create(u"Doomed\\Inner", held), status::kSuccess);
    ASSERT_EQ(setDword(held.handle(), u"Value", 1), status::kSuccess);
    ASSERT_EQ(reg().deleteTree(base(), u"Doomed"), status::kSuccess);

    std::uint32_t number = 0;
    std::uint32_t size = sizeof number;
    EXPECT_NE(reg().queryValue(held.handle(), u"Value", nullptr, &number, &size), status::kSuccess);
    EXPECT_NE(setDword(held.handle(), u"Value", 2), status::kSuccess);
    RegKey child;
    EXPECT_NE(createKey(reg(), held.handle(), u"Child", child), status::kSuccess);
    held.close();
    EXPECT_FALSE(exists(u"Doomed"));
}

}  // namespace corvane
