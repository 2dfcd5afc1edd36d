#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zb {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// Left, top, width and height in twips (15 to a pixel), relative to the
// control's container.
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

// The window's typeface at a size; the view falls back to a similar face
// where it is missing.
struct FontStyle {
  double points = 9;
  bool bold = false;
  bool operator==(const FontStyle&) const = default;
};

// What every control has; a view registers here to follow the model.
class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { Assign(enabled_, on); }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { Assign(visible_, on); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string text) { Assign(caption_, std::move(text)); }
  Rgb ForeColor() const { return foreColor_; }
  void SetForeColor(Rgb c) { Assign(foreColor_, c); }
  // Empty: the container shows through.
  std::optional<Rgb> BackColor() const { return backColor_; }
  void SetBackColor(Rgb c) { Assign(backColor_, std::optional<Rgb>(c)); }
  const FontStyle& Font() const { return font_; }
  void SetFont(FontStyle font) { Assign(font_, font); }
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(std::string text) { Assign(toolTip_, std::move(text)); }
  const zb::Bounds& Bounds() const { return bounds_; }
  void Move(int left, int top, int width, int height) {
    Assign(bounds_, zb::Bounds{left, top, width, height});
  }

  // Paint at once: the view shows the current properties without waiting.
  void Refresh() { Notify(); }

  // Called after any property changed; returns an id for Unobserve.
  int Observe(std::function<void()> observer) {
    observers_.emplace_back(++lastId_, std::move(observer));
    return lastId_;
  }
  void Unobserve(int id) {
    std::erase_if(observers_, [id](const auto& o) { return o.first == id; });
  }

 protected:
  template <typename T, typename U>
  bool Assign(T& field, U&& value) {
    if (field == value) return false;
    field = std::forward<U>(value);
    Notify();
    return true;
  }
  void Notify() {
    for (const auto& o : observers_) o.second();
  }
  static void Fire(const std::function<void()>& event) {
    if (event) event();
  }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::string caption_;
  std::string toolTip_;
  Rgb foreColor_{0, 0, 0};
  std::optional<Rgb> backColor_;
  FontStyle font_;
  zb::Bounds bounds_;
  int lastId_ = 0;
  std::vector<std::pair<int, std::function<void()>>> observers_;
};

// Enables or disables several controls, in the order given.
inline void SetEnabled(std::initializer_list<Control*> controls, bool on) {
  for (Control* c : controls) c->SetEnabled(on);
}

}  // namespace zb
