#include "hosts/window/unit_window_table.h"

#include "hosts/window/text_window.h"

namespace veska::window {

bool UnitWindowTable::registerUnit(int unit) {
  if (used_ == kSlots) return false;
  slots_[static_cast<std::size_t>(used_)] = Slot{unit, nullptr};
  ++used_;
  return true;
}

void UnitWindowTable::attachNewWindow(TextWindow* window) {
  if (used_ > 0) slots_[static_cast<std::size_t>(used_ - 1)].window = window;
}

void UnitWindowTable::detach(const TextWindow* window) {
  for (Slot& slot : slots_) {
    if (slot.window == window) slot.window = nullptr;
  }
}

TextWindow* UnitWindowTable::windowFor(int unit) {
  if (used_ == 0) return nullptr;
  if (unit < 0) slots_[0].unit = unit;
  for (int i = 0; i < used_; ++i) {
    Slot& slot = slots_[static_cast<std::size_t>(i)];
    if (slot.unit == unit) return slot.window;
  }
  return nullptr;
}

}  // namespace veska::window
