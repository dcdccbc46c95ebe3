#include "tray/menu_items.h"

#include <algorithm>
#include <new>

#include "core/app_state.h"

namespace corvane {
namespace {

// The first append takes exactly the room it needs; later ones grow by an eighth of the size,
// at least 4 and at most 1024 slots at a time.
int grownCapacity(int size, int capacity, int needed) {
    if (capacity == 0) {
        return needed;
    }
    const int step = std::clamp(size / 8, 4, 1024);
    return std::max(needed, capacity + step);
}

}  // namespace

ProfileMenuList::~ProfileMenuList() {
    clear();
}

bool ProfileMenuList::append(std::unique_ptr<ProfileMenuItem> item) {
    if (size_ == capacity_) {
        const int capacity = grownCapacity(size_, capacity_, size_ + 1);
        std::unique_ptr<std::unique_ptr<ProfileMenuItem>[]> slots(
            new (std::nothrow) std::unique_ptr<ProfileMenuItem>[capacity]);
        if (!slots) {
            return false;
        }
        std::move(slots_.get(), slots_.get() + size_, slots.get());
        slots_ = std::move(slots);
        capacity_ = capacity;
    }
    slots_[size_++] = std::move(item);
    return true;
}

void ProfileMenuList::clear() {
    slots_.reset();
    size_ = 0;
    capacity_ = 0;
}

ProfileMenuItem* ProfileMenuList::at(int index) const {
    return index >= 0 && index < size_ ? slots_[index].get() : nullptr;
}

ProfileMenuItem* ProfileMenuList::findCommand(std::uint32_t commandId) const {
    for (int i = 0; i < size_; ++i) {
        ProfileMenuItem* item = slots_[i].get();
        if (item != nullptr && item->commandId == commandId && item->adapter != nullptr) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace corvane
