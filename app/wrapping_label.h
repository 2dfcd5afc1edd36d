#pragma once

#include <QLabel>

namespace zb {

// A label that, like the window's original labels, breaks a text too wide
// for one line onto further lines within its bounds: at word boundaries
// where there are any, anywhere in a run of Japanese or a long path. A text
// that does not fit even so is shown whole in the tool tip.
class WrappingLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // Whether every line of the text lies within the label.
  bool TextFits() const;
  // Gives the label the tool tip it should have beside its own.
  void SetOwnToolTip(const QString& tip);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool FitsOnOneLine() const;
  void UpdateToolTip();

  QString ownToolTip_;
};

}  // namespace zb
