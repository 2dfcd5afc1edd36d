#include "app/path_field_edit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "app/view_style.h"
#include "platform/qt/qt_text.h"
#include "window/path_field_input.h"

namespace zb {
namespace {

// The field counts characters; Qt counts UTF-16 units.
int CharactersBefore(const QString& text, int position) {
  return static_cast<int>(text.left(position).toUcs4().size());
}

int PositionOf(const QString& text, int characters) {
  int position = 0;
  for (int i = 0; i < characters && position < text.size(); ++i) {
    position += text.at(position).isHighSurrogate() ? 2 : 1;
  }
  return std::min<int>(position, static_cast<int>(text.size()));
}

std::vector<QString> LocalFiles(const QMimeData* data) {
  std::vector<QString> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files.push_back(url.toLocalFile());
  }
  return files;
}

}  // namespace

PathFieldEdit::PathFieldEdit(QWidget* parent, TextBox& field, DrivePathOf toDrivePath)
    : QLineEdit(parent), field_(field), toDrivePath_(std::move(toDrivePath)) {
  Show();
  const int id = field_.Observe([this] {
    if (!taking_) Show();
  });
  connect(this, &QObject::destroyed, this, [&field, id] { field.Unobserve(id); });
  connect(this, &QLineEdit::textEdited, this, &PathFieldEdit::Take);
  connect(this, &QLineEdit::selectionChanged, this, &PathFieldEdit::Take);
  connect(this, &QLineEdit::cursorPositionChanged, this, &PathFieldEdit::Take);
}

void PathFieldEdit::Show() {
  const QSignalBlocker quiet(this);
  ApplyCommon(this, field_);
  setAcceptDrops(field_.AcceptsDrops());
  const QString text = ToQt(field_.Text());
  if (this->text() != text) setText(text);
  const int start = PositionOf(text, field_.SelStart());
  const int length = PositionOf(text, field_.SelStart() + field_.SelLength()) - start;
  const int shownStart = hasSelectedText() ? selectionStart() : cursorPosition();
  const int shownLength = hasSelectedText() ? selectionLength() : 0;
  if (start != shownStart || length != shownLength) {
    if (length > 0) {
      setSelection(start, length);
    } else {
      setCursorPosition(start);
    }
  }
  // The field takes the focus when the form gives it (or gives it back
  // after a run); while the user moves it away the form still names this
  // field for a moment, and that must not pull the focus back.
  const bool wantsFocus = field_.HasFocus() && field_.Enabled();
  if (wantsFocus && !wantedFocus_ && !hasFocus()) setFocus(Qt::OtherFocusReason);
  wantedFocus_ = wantsFocus;
}

void PathFieldEdit::Take() {
  taking_ = true;
  field_.SetText(FromQt(text()));
  const QString shown = text();
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int length = hasSelectedText() ? selectionLength() : 0;
  const int first = CharactersBefore(shown, start);
  field_.Select(first, CharactersBefore(shown, start + length) - first);
  taking_ = false;
  // Handlers may have changed what the field shows.
  Show();
}

void PathFieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    int keyCode = kEnterKey;
    if (field_.KeyPress) field_.KeyPress(keyCode);
    if (keyCode == 0) return event->accept();
  }
  QLineEdit::keyPressEvent(event);
}

void PathFieldEdit::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void PathFieldEdit::dragMoveEvent(QDragMoveEvent* event) {
  // Only files are taken; dragged text is refused rather than typed in.
  if (field_.AcceptsDrops() && !LocalFiles(event->mimeData()).empty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void PathFieldEdit::dropEvent(QDropEvent* event) {
  const std::vector<QString> dropped = LocalFiles(event->mimeData());
  if (dropped.empty()) return event->ignore();
  event->acceptProposedAction();
  std::vector<std::string> files;
  for (const QString& file : dropped) files.push_back(toDrivePath_(FromQt(file)));
  // The drop's checks may ask questions; the drag source must not wait for them.
  QTimer::singleShot(0, this, [this, files] {
    if (field_.OLEDragDrop) field_.OLEDragDrop(files);
  });
}

}  // namespace zb
