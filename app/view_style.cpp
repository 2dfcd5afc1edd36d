#include "app/view_style.h"

#include <QPalette>
#include <QStringList>

#include "platform/qt/qt_text.h"

namespace zb {
namespace {

// Disabled text in the grey of the original window: the style's own is lost
// on the silver tabs.
const QColor kDisabledText(128, 128, 128);

void SetForeground(QPalette& palette, const QColor& color) {
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    palette.setColor(QPalette::Disabled, role, kDisabledText);
  }
}

}  // namespace

QRect PixelRect(const Bounds& b) {
  return QRect(Pixels(b.left), Pixels(b.top), Pixels(b.width), Pixels(b.height));
}

QFont WindowFont(const FontStyle& style) {
  QFont font;
  font.setFamilies({"ＭＳ Ｐゴシック", "MS PGothic", "Noto Sans CJK JP", "VL PGothic",
                    "TakaoPGothic", "IPAPGothic", "IPAGothic", "Sans Serif"});
  font.setPointSizeF(style.points);
  font.setBold(style.bold);
  return font;
}

void ApplyCommon(QWidget* widget, const Control& control) {
  widget->setEnabled(control.Enabled());
  if (!control.Visible()) {
    widget->setVisible(false);
  } else if (widget->isHidden()) {
    widget->setVisible(true);
  }
  widget->setToolTip(ToQt(control.ToolTip()));
  const QRect place = PixelRect(control.Bounds());
  if (place.isValid() && widget->geometry() != place) widget->setGeometry(place);
  const QFont font = WindowFont(control.Font());
  if (widget->font() != font) widget->setFont(font);
  QPalette palette = widget->palette();
  SetForeground(palette, ToQColor(control.ForeColor()));
  if (const std::optional<Rgb> back = control.BackColor()) {
    palette.setColor(QPalette::Window, ToQColor(*back));
    // Buttons, check boxes and option buttons among them, fill with the
    // button colour.
    palette.setColor(widget->backgroundRole(), ToQColor(*back));
    widget->setAutoFillBackground(true);
  }
  if (widget->palette() != palette) widget->setPalette(palette);
}

}  // namespace zb
