#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app_win32/windows_ui.h"
#include "form/main_form.h"

namespace zb {

// The window's menu bar and its shortcuts, each item following its model
// item: caption, shortcut, enabled and check mark.
class MenuBinding {
 public:
  explicit MenuBinding(MainForm& form);
  ~MenuBinding();
  MenuBinding(const MenuBinding&) = delete;
  MenuBinding& operator=(const MenuBinding&) = delete;

  // The window destroys the bar once it is set on it.
  HMENU Bar() const { return bar_; }
  HACCEL Accelerators() const { return accelerators_; }
  // A menu's or a shortcut's WM_COMMAND; false when id is no item's.
  bool Choose(int id);
  int IdOf(const MenuItem& item) const;

 private:
  struct Entry {
    MenuItem* item;
    HMENU menu;
    int observer;
  };
  void AddMenu(MenuItem& title, std::span<MenuItem> items);
  void Show(const Entry& entry);

  HMENU bar_;
  HACCEL accelerators_ = nullptr;
  std::vector<Entry> entries_;
  std::vector<ACCEL> keys_;
};

// "Ctrl+S", "Shift+F5", "F1" as a shortcut for command; none for what is
// not one.
std::optional<ACCEL> AcceleratorOf(const std::string& keys, WORD command);

}  // namespace zb
