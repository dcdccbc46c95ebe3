// A registry backend with a fresh key to work under, for suites that run over every backend.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "core/registry.h"
#include "tests/support/memory_registry.h"

namespace corvane {

// A backend with an empty key to work under; its destructor removes that key.
class RegistryScratch {
  public:
    virtual ~RegistryScratch() = default;
    virtual Registry& registry() = 0;
    // The root and the path (without leading backslash) of the scratch key.
    virtual KeyHandle root() const = 0;
    virtual std::u16string path() const = 0;
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

// MemoryRegistry, scratch key "Software\Corvane Tests\Scratch" of the current user.
class MemoryScratch : public RegistryScratch {
  public:
    ~MemoryScratch() override {
        EXPECT_EQ(registry_.deleteTree(kCurrentUser, path()), status::kSuccess);
        EXPECT_EQ(registry_.openHandleCount(), 0);
    }
    Registry& registry() override { return registry_; }
    KeyHandle root() const override { return kCurrentUser; }
    std::u16string path() const override { return u"Software\\Corvane Tests\\Scratch"; }

  private:
    MemoryRegistry registry_;
};

inline RegistryBackend memoryBackend() {
    return {"Memory", [] { return std::unique_ptr<RegistryScratch>(new MemoryScratch); }};
}

}  // namespace corvane
