#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>

#include "app/backdrop_widget.h"
#include "app/control_binding.h"
#include "app/menu_binding.h"
#include "app/menu_shortcuts_first.h"
#include "app/view_style.h"
#include "platform/qt/qt_text.h"
#include "window/focus.h"
#include "window/form_lifecycle.h"

namespace zb {

MainWindow::MainWindow(Program& program, PathFieldEdit::DrivePathOf toDrivePath)
    : program_(program) {
  MainForm& f = program_.form;
  auto* client = new BackdropWidget(this, f.Window);
  client->setFixedSize(Pixels(MainForm::kClientWidth), Pixels(MainForm::kClientHeight));
  setCentralWidget(client);
  // The controls sit at fixed places, so the window keeps its size.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  actions_ = BuildMenus(menuBar(), f);
  std::vector<QAction*> menuActions;
  for (const auto& [item, action] : actions_) menuActions.push_back(action);
  new MenuShortcutsFirst(this, std::move(menuActions));

  BuildSearchFolder(client, toDrivePath);
  BuildOutputFolder(client, toDrivePath);
  BuildOptionTabs(client);
  BuildOperationAndStatus(client);
  Keep(f.Picture1, MakePlainWidget(client, f.Picture1));
  Keep(f.lblVersion, MakeLabel(client, f.lblVersion));
  Keep(f.Label4, MakeLabel(client, f.Label4));
  // The button sits over the tab strip's edge.
  Keep(f.cmdInternet, MakeButton(client, f.cmdInternet))->raise();

  FollowWindow();
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::FocusChanged);
}

MainWindow::~MainWindow() {
  // Destroying the widgets moves the focus; the form must not hear of it.
  disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::BuildSearchFolder(QWidget* client, PathFieldEdit::DrivePathOf toDrivePath) {
  MainForm& f = program_.form;
  QGroupBox* frame = Keep(f.Frame6, MakeFrame(client, f.Frame6));
  Keep(f.txtOLEKensaku, new PathFieldEdit(frame, f.txtOLEKensaku, toDrivePath));
  Keep(f.Drive1, MakeDriveList(frame, f.Drive1));
  Keep(f.Dir1, MakeFolderList(frame, f.Dir1));
  Keep(f.File1, MakeFileList(frame, f.File1));
  Keep(f.chkSubDir, MakeCheckBox(frame, f.chkSubDir));
}

void MainWindow::BuildOutputFolder(QWidget* client, PathFieldEdit::DrivePathOf toDrivePath) {
  MainForm& f = program_.form;
  QGroupBox* frame = Keep(f.Frame5, MakeFrame(client, f.Frame5));
  Keep(f.chkSameDir, MakeCheckBox(frame, f.chkSameDir));
  Keep(f.chkLelative, MakeCheckBox(frame, f.chkLelative));
  Keep(f.txtOLESakusei, new PathFieldEdit(frame, f.txtOLESakusei, toDrivePath));
  Keep(f.cmdWriteDirSet, MakeButton(frame, f.cmdWriteDirSet));
}

void MainWindow::BuildOptionTabs(QWidget* client) {
  MainForm& f = program_.form;
  QTabWidget* tabs = Keep(f.SSTab1, MakeTabs(client, f.SSTab1));

  QWidget* pictures = tabs->widget(0);
  Keep(f.chkGazoHtml, MakeCheckBox(pictures, f.chkGazoHtml));
  Keep(f.chkBmp, MakeCheckBox(pictures, f.chkBmp));
  Keep(f.chkHtmlBr, MakeCheckBox(pictures, f.chkHtmlBr));
  QGroupBox* perPage = Keep(f.Frame1, MakeFrame(pictures, f.Frame1));
  Keep(f.hscGazoSuu, MakeScrollBar(perPage, f.hscGazoSuu));
  Keep(f.lGazosu, MakeLabel(perPage, f.lGazosu));
  QGroupBox* size = Keep(f.Frame4, MakeFrame(pictures, f.Frame4));
  Keep(f.hscThumbnail, MakeScrollBar(size, f.hscThumbnail));
  Keep(f.LblThumbnail, MakeLabel(size, f.LblThumbnail));

  QWidget* layout = tabs->widget(1);
  QGroupBox* opening = Keep(f.frmOptWin2, MakeFrame(layout, f.frmOptWin2));
  for (OptionButton& option : f.optWin2) Keep(option, MakeOptionButton(opening, option));
  QGroupBox* table = Keep(f.frmTable1, MakeFrame(layout, f.frmTable1));
  Keep(f.Label2, MakeLabel(table, f.Label2));
  Keep(f.cmbGazoSuu, MakeComboBox(table, f.cmbGazoSuu));
  Keep(f.Label3, MakeLabel(table, f.Label3));
  Keep(f.cmbFontSize, MakeComboBox(table, f.cmbFontSize));
  Keep(f.chkFileName, MakeCheckBox(table, f.chkFileName));
  // On the frame's edge as its title, yet not inside it: the frame is
  // disabled while the box is clear, and the box must stay usable.
  Keep(f.chkTable1, MakeCheckBox(layout, f.chkTable1))->raise();

  QWidget* other = tabs->widget(2);
  Keep(f.chkAllFileList, MakeCheckBox(other, f.chkAllFileList));
  Keep(f.Label8, MakeLabel(other, f.Label8));
  Keep(f.chkXLS2PRN, MakeCheckBox(other, f.chkXLS2PRN));
}

void MainWindow::BuildOperationAndStatus(QWidget* client) {
  MainForm& f = program_.form;
  QGroupBox* operation = Keep(f.Frame3, MakeFrame(client, f.Frame3));
  Keep(f.cmdStart, MakeButton(operation, f.cmdStart));
  Keep(f.cmdStop, MakeButton(operation, f.cmdStop));
  Keep(f.cmdView, MakeButton(operation, f.cmdView));
  for (Label& arrow : f.lblAnnai) Keep(arrow, MakeLabel(operation, arrow));

  QGroupBox* status = Keep(f.Frame7, MakeFrame(client, f.Frame7));
  Keep(f.chkSpeed, MakeCheckBox(status, f.chkSpeed));
  for (Label* label : {&f.Label1, &f.LblDirMax, &f.Label7, &f.LblFileCount, &f.LblComment}) {
    Keep(*label, MakeLabel(status, *label));
  }
}

void MainWindow::FollowWindow() {
  FormWindow& window = program_.form.Window;
  auto show = [this, &window] {
    setWindowTitle(ToQt(window.Caption()));
    const Bounds place = window.Bounds();
    const QPoint topLeft(Pixels(place.left), Pixels(place.top));
    if (pos() != topLeft) move(topLeft);
  };
  show();
  const int id = window.Observe(show);
  connect(this, &QObject::destroyed, [&window, id] { window.Unobserve(id); });
}

void MainWindow::MeasureForCentring() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    program_.screen.width = Twips(screen->geometry().width());
    program_.screen.height = Twips(screen->geometry().height());
  }
  const Bounds place = program_.form.Window.Bounds();
  program_.form.Window.Move(place.left, place.top, Twips(width()), Twips(height()));
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate(program_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!Form_QueryUnload(program_)) return event->ignore();
  event->accept();
  Form_Unload(program_);
}

void MainWindow::FocusChanged() {
  // The window's own focus widget keeps its place while a message box or
  // another window is in front. The menu bar takes the focus only while
  // the keyboard walks its menus, and gives it back after: a field being
  // typed in is not left.
  if (focusWidget() == menuBar()) return;
  auto* field = dynamic_cast<PathFieldEdit*>(focusWidget());
  FocusMovedTo(program_, field ? &field->field() : nullptr);
}

}  // namespace zb
