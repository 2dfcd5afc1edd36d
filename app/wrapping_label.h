#pragma once

#include <QLabel>

namespace zb {

// A label that, like the window's original labels, breaks a text too wide
// for one line onto further lines within its bounds: at word boundaries
// where there are any, anywhere in a run of Japanese or a long path. Fonts
// differ in size and line height, so a text that does not fit is shown in a
// slightly smaller face; one that fits in none keeps its beginning and its
// end (a path's file name) around "…" and is whole in the tool tip.
class WrappingLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // What the label shows of its text, and in which face.
  struct Shown {
    QFont font;
    QString text;
    bool whole = true;
  };
  Shown Fitted() const;
  // Whether the whole text can be read in the label.
  bool TextFits() const { return Fitted().whole; }
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
