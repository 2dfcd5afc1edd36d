#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "form/control.h"

namespace zb {

// Value 0 (clear), 1 (ticked) or 2 (greyed); a new value fires Click.
class CheckBox : public Control {
 public:
  int Value() const { return value_; }
  void SetValue(int v) {
    if (Assign(value_, v)) Fire(Click);
  }
  std::function<void()> Click;

 private:
  int value_ = 0;
};

class OptionButton : public Control {
 public:
  bool Value() const { return value_; }
  // Selecting a button clears the others of its group.
  void SetValue(bool on);
  void JoinGroup(std::vector<OptionButton*> group) { group_ = std::move(group); }
  std::function<void()> Click;

 private:
  bool value_ = false;
  std::vector<OptionButton*> group_;
};

// Horizontal scroll bar; a new value fires Change. Values are kept in range.
class ScrollBar : public Control {
 public:
  int Value() const { return value_; }
  void SetValue(int v);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int SmallChange() const { return small_; }
  int LargeChange() const { return large_; }
  void Configure(int min, int max, int small, int large, int value);
  std::function<void()> Change;

 private:
  int value_ = 0, min_ = 0, max_ = 32767, small_ = 1, large_ = 1;
};

class TextBox : public Control {
 public:
  const std::string& Text() const { return text_; }
  // A new text starts with the caret at its start and nothing selected.
  void SetText(std::string text) {
    if (text == text_) return;
    selStart_ = 0;
    selLength_ = 0;
    Assign(text_, std::move(text));
    Fire(Change);
  }
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void Select(int start, int length) {
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    Notify();
  }
  bool AcceptsDrops() const { return acceptsDrops_; }
  void SetAcceptsDrops(bool on) { acceptsDrops_ = on; }
  // Only SetFocus and ClearFocus move the focus (window/focus.h).
  bool HasFocus() const { return hasFocus_; }
  void SetHasFocus(bool on) { Assign(hasFocus_, on); }

  std::function<void()> Change;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  // The handler may set the key code to 0 to swallow the key.
  std::function<void(int& keyCode)> KeyPress;
  // Dropped files in the drop's order, as drive paths where a drive holds
  // them; may be empty.
  std::function<void(const std::vector<std::string>& files)> OLEDragDrop;

 private:
  std::string text_;
  int selStart_ = 0, selLength_ = 0;  // in characters
  bool acceptsDrops_ = false;
  bool hasFocus_ = false;
};

class ComboBox : public Control {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string text) {
    if (Assign(text_, std::move(text))) Fire(Change);
  }
  const std::vector<std::string>& Items() const { return items_; }
  void Clear() {
    items_.clear();
    Notify();
  }
  void AddItem(std::string item) {
    items_.push_back(std::move(item));
    Notify();
  }
  // -1 when the text is none of the items.
  int ListIndex() const;
  // A fixed list takes only texts of its items.
  bool FixedList() const { return fixedList_; }
  void SetFixedList(bool fixed) { fixedList_ = fixed; }
  std::function<void()> Change;

 private:
  std::string text_;
  std::vector<std::string> items_;
  bool fixedList_ = false;
};

class Label : public Control {};

class Frame : public Control {};

class CommandButton : public Control {
 public:
  // A user's press: nothing happens while the button is disabled.
  void Press() {
    if (Enabled()) Fire(Click);
  }
  std::function<void()> Click;
};

class MenuItem : public Control {
 public:
  bool Checked() const { return checked_; }
  void SetChecked(bool on) { Assign(checked_, on); }
  bool Separator() const { return Caption() == "-"; }
  const std::string& Shortcut() const { return shortcut_; }
  void SetShortcut(std::string keys) { shortcut_ = std::move(keys); }
  void Choose() {
    if (Enabled()) Fire(Click);
  }
  std::function<void()> Click;

 private:
  bool checked_ = false;
  std::string shortcut_;
};

class TabControl : public Control {
 public:
  const std::vector<std::string>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::string> tabs) { Assign(tabs_, std::move(tabs)); }
  int Tab() const { return tab_; }
  void SetTab(int t) { Assign(tab_, t); }

 private:
  std::vector<std::string> tabs_;
  int tab_ = 0;
};

// Drive list: Drive is "c:" and the like; a new drive fires Change.
class DriveList : public Control {
 public:
  const std::string& Drive() const { return drive_; }
  void SetDrive(std::string drive) {
    if (Assign(drive_, std::move(drive))) Fire(Change);
  }
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items) { Assign(items_, std::move(items)); }
  std::function<void()> Change;

 private:
  std::string drive_;
  std::vector<std::string> items_;
};

// Folder or file list: Path is a drive path; a new path fires Change.
class PathList : public Control {
 public:
  const std::string& Path() const { return path_; }
  void SetPath(std::string path) {
    if (Assign(path_, std::move(path))) Fire(Change);
  }
  // What the list shows (folders from the root down and the sub-folders,
  // or the files of the folder); the window's handlers fill it.
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items) { Assign(items_, std::move(items)); }
  std::function<void()> Change;

 private:
  std::string path_;
  std::vector<std::string> items_;
};

// The hidden picture surface.
class PictureBox : public Control {};

// The window itself: Caption is its title, Bounds its place on the screen
// and its outer size.
class FormWindow : public Control {
 public:
  // The persistent background: plain colour, or the white-to-blue gradient.
  bool WhiteBackground() const { return whiteBackground_; }
  void SetWhiteBackground(bool on) { Assign(whiteBackground_, on); }

 private:
  bool whiteBackground_ = false;
};

}  // namespace zb
