// One owner for every kind of Win32 handle: it releases the handle when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace corvane {

template <typename Handle, auto free>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~OwnedHandle() { reset(); }

    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            free(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using OwnedKernelHandle = OwnedHandle<HANDLE, CloseHandle>;

}  // namespace corvane
