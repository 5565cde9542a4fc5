// Which text window shows which unit. Start-up registers the console as unit
// -1 in slot 1; the Input/Output window then takes that slot. Any negative
// unit number designates the console.
#pragma once

#include <array>

#include <QPointer>

namespace veska::window {

class TextWindow;

inline constexpr int kConsoleUnit = -1;

class UnitWindowTable {
 public:
  static constexpr int kSlots = 100;

  // The next free slot takes the unit, without a window yet; false when
  // every slot is used.
  bool registerUnit(int unit);
  // A new text window takes the most recently registered slot.
  void attachNewWindow(TextWindow* window);
  // The window has closed: its slot keeps the unit but shows it nowhere.
  void detach(const TextWindow* window);
  // The window that shows `unit`, or nullptr.
  TextWindow* windowFor(int unit);
  int usedSlots() const { return used_; }

 private:
  struct Slot {
    int unit = 0;
    QPointer<TextWindow> window;
  };
  std::array<Slot, kSlots> slots_{};
  int used_ = 0;
};

}  // namespace veska::window
