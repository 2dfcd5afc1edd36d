#include "app/about_window.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/about_dialog.h"
#include "app/control_binding.h"
#include "platform/qt/qt_text.h"

namespace zb {
namespace {

QPlainTextEdit* MakeReadOnlyText(QWidget* parent, TextBox& text) {
  auto* widget = new QPlainTextEdit(parent);
  widget->setReadOnly(true);
  widget->setLineWrapMode(QPlainTextEdit::NoWrap);
  Follow(text, widget, [widget, &text] {
    QString shown = ToQt(text.Text());
    shown.remove(QLatin1Char('\r'));
    widget->setPlainText(shown);
  });
  return widget;
}

}  // namespace

void ShowAboutWindow(QWidget* parent, Platform& platform) {
  // The model outlives the dialog: its widgets unobserve its controls as
  // they go.
  QDialog* shown = nullptr;
  AboutDialog about(platform, [&shown] { shown->accept(); });
  QDialog dialog(parent);
  shown = &dialog;
  Form_Load(about);
  AboutForm& f = about.form;
  dialog.setWindowTitle(ToQt(f.Window.Caption()));
  dialog.resize(560, 520);

  auto* icon = new QLabel(&dialog);
  icon->setObjectName("picIcon");
  icon->setPixmap(dialog.windowIcon().pixmap(48, 48));
  auto* title = MakeLabel(&dialog, f.lblTitle);
  QFont big = title->font();
  big.setPointSize(16);
  big.setBold(true);
  title->setFont(big);
  auto* heading = new QVBoxLayout;
  heading->addWidget(title);
  heading->addWidget(MakeLabel(&dialog, f.lblVersion));
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addLayout(heading, 1);

  auto* description = MakeLabel(&dialog, f.lblDescription);
  description->setText(description->text().remove(QLatin1Char('\r')));
  auto* line = new QFrame(&dialog);
  line->setFrameShape(QFrame::HLine);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(MakeButton(&dialog, f.Command1));
  buttons->addStretch(1);
  buttons->addWidget(MakeButton(&dialog, f.cmdSysInfo));
  auto* ok = MakeButton(&dialog, f.cmdOK);
  ok->setDefault(true);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(top);
  layout->addWidget(description);
  layout->addWidget(MakeReadOnlyText(&dialog, f.Text1), 1);
  for (Label* label : {&f.Label12, &f.Label13, &f.Label5}) {
    layout->addWidget(MakeLabel(&dialog, *label));
  }
  layout->addWidget(line);
  layout->addLayout(buttons);
  dialog.exec();
}

}  // namespace zb
