#pragma once

#include <QObject>
#include <QSignalBlocker>
#include <QWidget>

#include "form/controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace zb {

// Runs apply now and after every change of the control, for as long as the
// widget lives; the widget's own signals are quiet meanwhile, so showing a
// value never reads as the user's input. The control must outlive the widget.
template <typename Apply>
void Follow(Control& control, QWidget* widget, Apply apply) {
  auto show = [widget, apply] {
    const QSignalBlocker quiet(widget);
    apply();
  };
  show();
  const int id = control.Observe(show);
  QObject::connect(widget, &QObject::destroyed, [&control, id] { control.Unobserve(id); });
}

// Each makes the widget for a control under parent and binds the two: the
// widget follows the control, and the user's input sets the control.
QWidget* MakePlainWidget(QWidget* parent, Control& control);
QLabel* MakeLabel(QWidget* parent, Label& label);
QGroupBox* MakeFrame(QWidget* parent, Frame& frame);
QCheckBox* MakeCheckBox(QWidget* parent, CheckBox& box);
QRadioButton* MakeOptionButton(QWidget* parent, OptionButton& button);
QPushButton* MakeButton(QWidget* parent, CommandButton& button);
QScrollBar* MakeScrollBar(QWidget* parent, ScrollBar& bar);
QComboBox* MakeComboBox(QWidget* parent, ComboBox& combo);
QComboBox* MakeDriveList(QWidget* parent, DriveList& drives);
// Choosing a folder (double click or Enter) moves the list there.
QListWidget* MakeFolderList(QWidget* parent, PathList& folders);
QListWidget* MakeFileList(QWidget* parent, PathList& files);
// The pages are the tab widget's own; controls go onto widget(i).
QTabWidget* MakeTabs(QWidget* parent, TabControl& tabs);

}  // namespace zb
