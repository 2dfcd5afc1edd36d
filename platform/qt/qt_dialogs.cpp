#include "platform/qt/qt_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>

#include "platform/qt/qt_text.h"

namespace zb {
namespace {

QMessageBox::StandardButton ToQt(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return QMessageBox::Ok;
    case Answer::kCancel:
      return QMessageBox::Cancel;
    case Answer::kYes:
      return QMessageBox::Yes;
    case Answer::kNo:
      return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return QMessageBox::Ok;
    case Buttons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

// Closing the box without a button is the answer that backs out.
Answer Escape(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kOkCancel:
      return Answer::kCancel;
    case Buttons::kYesNo:
      return Answer::kNo;
  }
  return Answer::kOk;
}

Answer AnswerOf(QMessageBox::StandardButton button, Buttons buttons) {
  for (Answer a : {Answer::kOk, Answer::kCancel, Answer::kYes, Answer::kNo}) {
    if (ToQt(a) == button && (ButtonsOf(buttons) & button)) return a;
  }
  return Escape(buttons);
}

QString Lines(const std::string& text) { return zb::ToQt(text).replace("\r\n", "\n"); }

// What a title bar holds beside its title: the window's icon and buttons.
constexpr int kTitleBarButtons = 160;

// A box sized to a short text is narrower than its title on a title bar,
// whose face is larger and bold and which holds the window's buttons too;
// the window manager would elide the title.
void MakeRoomForTitle(QMessageBox& box) {
  QFont titleFace = box.font();
  titleFace.setBold(true);
  titleFace.setPointSizeF(titleFace.pointSizeF() * 1.25);
  const int width = QFontMetrics(titleFace).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

}  // namespace

Answer QtDialogs::Show(const MessageBox& box) {
  QMessageBox dialog(parent_);
  dialog.setWindowTitle(box.title.empty() ? QGuiApplication::applicationName()
                                          : zb::ToQt(box.title));
  dialog.setTextFormat(Qt::PlainText);
  dialog.setText(Lines(box.text));
  dialog.setIcon(box.icon == Icon::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon);
  dialog.setStandardButtons(ButtonsOf(box.buttons));
  dialog.setDefaultButton(ToQt(box.defaultButton));
  MakeRoomForTitle(dialog);
  dialog.exec();
  return AnswerOf(dialog.standardButton(dialog.clickedButton()), box.buttons);
}

std::optional<std::string> QtDialogs::OpenFile(const OpenFileRequest& request) {
  const std::optional<std::string> startAt =
      request.startAt.empty() ? std::nullopt : toHostPath_(request.startAt);
  ListFileDialog dialog(parent_, request, startAt ? zb::ToQt(*startAt) : QString());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return toDrivePath_(FromQt(dialog.selectedFiles().front()));
}

QString NameFilter(const OpenFileRequest& request) {
  const QString name = zb::ToQt(request.filterName);
  const QString pattern = zb::ToQt(request.filterPattern);
  return name.endsWith("(" + pattern + ")") ? name : name + " (" + pattern + ")";
}

ListFileDialog::ListFileDialog(QWidget* parent, const OpenFileRequest& request,
                               const QString& startAt)
    : QFileDialog(parent), request_(request) {
  // The checks below live in accept(), which a native dialog would bypass.
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::AnyFile);
  setNameFilter(NameFilter(request));
  OpenAt(startAt);
  // A list shows no focus mark of its own until it has a current entry, and
  // giving the places list one would go there: each list is framed instead.
  setStyleSheet("QAbstractItemView:focus { border: 2px solid palette(highlight); }");
}

void ListFileDialog::OpenAt(const QString& startAt) {
  const QFileInfo start(startAt);
  if (startAt.isEmpty()) return;
  if (start.isDir()) return setDirectory(start.absoluteFilePath());
  if (!start.dir().exists()) return;
  setDirectory(start.absolutePath());
  selectFile(start.fileName());
}

void ListFileDialog::accept() {
  const QStringList files = selectedFiles();
  const QFileInfo chosen(files.isEmpty() ? QString() : files.front());
  if (files.isEmpty() || chosen.isDir()) return QFileDialog::accept();
  if (request_.pathMustExist && !chosen.dir().exists()) {
    QMessageBox::warning(
        this, windowTitle(),
        tr("%1\nDirectory not found.\nPlease verify the correct directory name was given.")
            .arg(chosen.absolutePath()));
    return;
  }
  QFileDialog::accept();
}

}  // namespace zb
