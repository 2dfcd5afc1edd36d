#pragma once

#include <QWidget>

#include "form/controls.h"

namespace zb {

// The window's client area: the plain background colour, or 256 bands from
// white at the top to blue at the bottom.
class BackdropWidget : public QWidget {
 public:
  BackdropWidget(QWidget* parent, FormWindow& window);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  FormWindow& window_;
};

}  // namespace zb
