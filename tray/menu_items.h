// The owning list of the icon menu's profile entries. Its storage grows as the handheld's
// collection class grew it, and an allocation that fails drops the entry instead of failing
// the whole menu.
#pragma once

#include <cstdint>
#include <memory>

namespace corvane {

class ProfileMenuItem;

class ProfileMenuList {
  public:
    ProfileMenuList() = default;
    ProfileMenuList(const ProfileMenuList&) = delete;
    ProfileMenuList& operator=(const ProfileMenuList&) = delete;
    ~ProfileMenuList();

    // Appends `item` and takes it over; false (and the item is freed) when there is no room and
    // none can be allocated.
    bool append(std::unique_ptr<ProfileMenuItem> item);
    // Destroys every entry and releases the storage.
    void clear();

    int size() const { return size_; }
    int capacity() const { return capacity_; }
    // The entry at `index`, or null outside 0..size-1.
    ProfileMenuItem* at(int index) const;
    // The first entry, in list order, with this command id and an adapter; null when none.
    ProfileMenuItem* findCommand(std::uint32_t commandId) const;

  private:
    std::unique_ptr<std::unique_ptr<ProfileMenuItem>[]> slots_;
    int size_ = 0;
    int capacity_ = 0;
};

}  // namespace corvane
