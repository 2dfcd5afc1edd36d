#include "app/wrapping_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <vector>

namespace zb {
namespace {

// The face shrinks in half points, to no less than this share of its size.
constexpr qreal kSmallestShare = 0.75;
constexpr qreal kShrinkStep = 0.5;

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

bool Fits(const QString& text, const QFont& font, const QRect& area) {
  QTextLayout layout(LaidOut(text), font);
  return Wrap(layout, area.width()).height <= area.height();
}

// The first keep characters of text around "…": half from its start, the
// rest from its end, never splitting a surrogate pair.
QString KeepEnds(const QString& text, qsizetype keep) {
  qsizetype head = keep - keep / 2;
  qsizetype tail = keep / 2;
  if (head > 0 && text.at(head - 1).isHighSurrogate()) --head;
  if (tail > 0 && text.at(text.size() - tail).isLowSurrogate()) --tail;
  return text.left(head) + QChar(0x2026) + text.right(tail);
}

}  // namespace

WrappingLabel::Shown WrappingLabel::Fitted() const {
  const QRect area = contentsRect();
  QFont face = font();
  const qreal size = face.pointSizeF();
  for (qreal points = size; points >= size * kSmallestShare; points -= kShrinkStep) {
    face.setPointSizeF(points);
    if (Fits(text(), face, area)) return {face, text(), true};
  }
  face.setPointSizeF(size * kSmallestShare);
  // The longest middle cut that fits: the fit shrinks as more is kept.
  qsizetype fitting = 0;
  for (qsizetype low = 1, high = text().size() - 1; low <= high;) {
    const qsizetype keep = (low + high) / 2;
    if (Fits(KeepEnds(text(), keep), face, area)) {
      fitting = keep;
      low = keep + 1;
    } else {
      high = keep - 1;
    }
  }
  return {face, KeepEnds(text(), fitting), false};
}

bool WrappingLabel::FitsOnOneLine() const {
  return !text().contains(QLatin1Char('\n')) &&
         fontMetrics().horizontalAdvance(text()) <= contentsRect().width() &&
         fontMetrics().height() <= contentsRect().height();
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
  const Shown shown = Fitted();
  QTextLayout layout(LaidOut(shown.text), shown.font);
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
