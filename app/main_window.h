#pragma once

#include <QAction>
#include <QMainWindow>
#include <map>

#include "app/path_field_edit.h"
#include "window/program.h"

namespace zb {

// The main window: a view of the program's MainForm. Every widget follows
// its control and hands the user's input to it; the window's activation,
// closing and focus reach the form's handlers. The program must outlive it.
class MainWindow : public QMainWindow {
 public:
  MainWindow(Program& program, PathFieldEdit::DrivePathOf toDrivePath);
  ~MainWindow() override;

  // Tells the program the screen's size and the window's, for centring.
  void MeasureForCentring();

  QWidget* WidgetOf(const Control& control) const { return widgets_.at(&control); }
  QAction* ActionOf(const MenuItem& item) const { return actions_.at(&item); }

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename W>
  W* Keep(const Control& control, W* widget) {
    widgets_[&control] = widget;
    return widget;
  }
  void BuildSearchFolder(QWidget* client, PathFieldEdit::DrivePathOf toDrivePath);
  void BuildOutputFolder(QWidget* client, PathFieldEdit::DrivePathOf toDrivePath);
  void BuildOptionTabs(QWidget* client);
  void BuildOperationAndStatus(QWidget* client);
  void FollowWindow();
  void FocusChanged();

  Program& program_;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const MenuItem*, QAction*> actions_;
};

}  // namespace zb
