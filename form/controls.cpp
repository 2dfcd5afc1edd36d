#include "form/controls.h"

#include <algorithm>

namespace zb {

void OptionButton::SetValue(bool on) {
  if (!Assign(value_, on)) return;
  if (on) {
    for (OptionButton* other : group_) {
      if (other != this) other->SetValue(false);
    }
    Fire(Click);
  }
}

void ScrollBar::SetValue(int v) {
  v = std::clamp(v, min_, max_);
  if (Assign(value_, v)) Fire(Change);
}

void ScrollBar::Configure(int min, int max, int small, int large, int value) {
  min_ = min;
  max_ = max;
  small_ = small;
  large_ = large;
  value_ = std::clamp(value, min, max);
  Notify();
}

int ComboBox::ListIndex() const {
  auto it = std::find(items_.begin(), items_.end(), text_);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

}  // namespace zb
