#include "app/backdrop_widget.h"

#include <QPainter>

#include "app/control_binding.h"
#include "app/view_style.h"
#include "form/design_colors.h"

namespace zb {

BackdropWidget::BackdropWidget(QWidget* parent, FormWindow& window)
    : QWidget(parent), window_(window) {
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(kPlainBackground));
  setPalette(palette);
  Follow(window_, this, [this] { update(); });
}

void BackdropWidget::paintEvent(QPaintEvent*) {
  if (window_.WhiteBackground()) return;
  QPainter painter(this);
  constexpr int kBands = 256;
  for (int i = 0; i < kBands; ++i) {
    const int top = i * height() / kBands;
    const int bottom = (i + 1) * height() / kBands;
    painter.fillRect(0, top, width(), bottom - top, QColor(255 - i, 255 - i, 255));
  }
}

}  // namespace zb
