#include "app/wrapping_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <vector>

namespace zb {
namespace {

struct WrappedText {
  std::vector<QTextLine> lines;
  qreal height = 0;
};

WrappedText Wrap(QTextLayout& layout, qreal width) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  WrappedText wrapped;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, wrapped.height));
    wrapped.height += line.height();
    wrapped.lines.push_back(line);
  }
  layout.endLayout();
  return wrapped;
}

// QTextLayout breaks lines only at the Unicode line separator.
QString LaidOut(QString text) { return text.replace(QLatin1Char('\n'), QChar::LineSeparator); }

}  // namespace

bool WrappingLabel::FitsOnOneLine() const {
  return !text().contains(QLatin1Char('\n')) &&
         fontMetrics().horizontalAdvance(text()) <= contentsRect().width();
}

bool WrappingLabel::TextFits() const {
  if (FitsOnOneLine()) return fontMetrics().height() <= contentsRect().height();
  QTextLayout layout(LaidOut(text()), font());
  return Wrap(layout, contentsRect().width()).height <= contentsRect().height();
}

void WrappingLabel::SetOwnToolTip(const QString& tip) {
  ownToolTip_ = tip;
  UpdateToolTip();
}

void WrappingLabel::UpdateToolTip() {
  const QString tip = ownToolTip_.isEmpty() && !TextFits() ? text() : ownToolTip_;
  if (toolTip() != tip) setToolTip(tip);
}

void WrappingLabel::paintEvent(QPaintEvent* event) {
  // A text on one line looks exactly as the plain label shows it.
  if (FitsOnOneLine()) return QLabel::paintEvent(event);
  QPainter painter(this);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  QTextLayout layout(LaidOut(text()), font());
  const QRect area = contentsRect();
  for (const QTextLine& line : Wrap(layout, area.width()).lines) {
    line.draw(&painter, area.topLeft());
  }
}

void WrappingLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

void WrappingLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateToolTip();
}

}  // namespace zb
