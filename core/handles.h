// The platform's windows and objects as the portable code holds them: opaque numbers, 0 for
// none. Only the Win32 layer turns them back into handles.
#pragma once

#include <cstdint>
#include <utility>

namespace corvane {

using WindowRef = std::uintptr_t;
using MenuRef = std::uintptr_t;
using FontRef = std::uintptr_t;
using IconRef = std::uintptr_t;
using InstanceRef = std::uintptr_t;

// A platform object (a font, an icon, a menu) that portable state owns without knowing its type:
// it is released with the function it came with, once, when the owner lets it go.
class OwnedRef {
  public:
    using Release = void (*)(std::uintptr_t);

    OwnedRef() = default;
    OwnedRef(std::uintptr_t ref, Release release) : ref_(ref), release_(release) {}
    OwnedRef(const OwnedRef&) = delete;
    OwnedRef& operator=(const OwnedRef&) = delete;
    OwnedRef(OwnedRef&& other) noexcept
        : ref_(std::exchange(other.ref_, 0)), release_(other.release_) {}
    OwnedRef& operator=(OwnedRef&& other) noexcept {
        if (this != &other) {
            reset();
            ref_ = std::exchange(other.ref_, 0);
            release_ = other.release_;
        }
        return *this;
    }
    ~OwnedRef() { reset(); }

    std::uintptr_t get() const { return ref_; }
    void reset() {
        if (ref_ != 0 && release_ != nullptr) {
            release_(ref_);
        }
        ref_ = 0;
    }

  private:
    std::uintptr_t ref_ = 0;
    Release release_ = nullptr;
};

}  // namespace corvane
