#include "app/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>

#include "app/view_style.h"
#include "app/wrapping_label.h"
#include "form/design_colors.h"
#include "platform/qt/qt_text.h"
#include "text/letter_case.h"
#include "text/text_util.h"
#include "window/folder_list_items.h"

namespace zb {
namespace {

QStringList ToQt(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << zb::ToQt(item);
  return list;
}

void ShowItems(QComboBox* combo, const std::vector<std::string>& items) {
  const QStringList wanted = ToQt(items);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (shown == wanted) return;
  combo->clear();
  combo->addItems(wanted);
}

int IndexOf(const std::vector<std::string>& items, const std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (EqualsIgnoreCase(items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

Qt::CheckState StateOf(int value) {
  return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

}  // namespace

QWidget* MakePlainWidget(QWidget* parent, Control& control) {
  auto* widget = new QWidget(parent);
  Follow(control, widget, [widget, &control] { ApplyCommon(widget, control); });
  return widget;
}

QLabel* MakeLabel(QWidget* parent, Label& label) {
  auto* widget = new WrappingLabel(parent);
  widget->setTextFormat(Qt::PlainText);
  // A label taller than one line starts at its top, as the original does.
  widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Follow(label, widget, [widget, &label] {
    ApplyCommon(widget, label);
    widget->setText(zb::ToQt(label.Caption()));
    widget->SetOwnToolTip(zb::ToQt(label.ToolTip()));
    // A run refreshes its status labels while it keeps the event loop waiting.
    widget->repaint();
  });
  return widget;
}

QGroupBox* MakeFrame(QWidget* parent, Frame& frame) {
  auto* widget = new QGroupBox(parent);
  Follow(frame, widget, [widget, &frame] {
    ApplyCommon(widget, frame);
    widget->setTitle(zb::ToQt(frame.Caption()));
  });
  return widget;
}

QCheckBox* MakeCheckBox(QWidget* parent, CheckBox& box) {
  auto* widget = new QCheckBox(parent);
  auto show = [widget, &box] {
    ApplyCommon(widget, box);
    widget->setText(zb::ToQt(box.Caption()));
    widget->setCheckState(StateOf(box.Value()));
  };
  Follow(box, widget, show);
  QObject::connect(widget, &QCheckBox::clicked, widget, [widget, &box, show] {
    box.SetValue(box.Value() == 1 ? 0 : 1);
    const QSignalBlocker quiet(widget);
    show();
  });
  return widget;
}

QRadioButton* MakeOptionButton(QWidget* parent, OptionButton& button) {
  auto* widget = new QRadioButton(parent);
  // The control's group decides which button is on.
  widget->setAutoExclusive(false);
  auto show = [widget, &button] {
    ApplyCommon(widget, button);
    widget->setText(zb::ToQt(button.Caption()));
    widget->setChecked(button.Value());
  };
  Follow(button, widget, show);
  QObject::connect(widget, &QRadioButton::clicked, widget, [widget, &button, show] {
    button.SetValue(true);
    const QSignalBlocker quiet(widget);
    show();
  });
  return widget;
}

QPushButton* MakeButton(QWidget* parent, CommandButton& button) {
  auto* widget = new QPushButton(parent);
  widget->setAutoDefault(false);
  Follow(button, widget, [widget, &button] {
    ApplyCommon(widget, button);
    widget->setText(zb::ToQt(button.Caption()));
  });
  QObject::connect(widget, &QPushButton::clicked, widget, [&button] { button.Press(); });
  return widget;
}

QScrollBar* MakeScrollBar(QWidget* parent, ScrollBar& bar) {
  auto* widget = new QScrollBar(Qt::Horizontal, parent);
  Follow(bar, widget, [widget, &bar] {
    ApplyCommon(widget, bar);
    widget->setRange(bar.Min(), bar.Max());
    widget->setSingleStep(bar.SmallChange());
    widget->setPageStep(bar.LargeChange());
    widget->setValue(bar.Value());
  });
  QObject::connect(widget, &QScrollBar::valueChanged, widget, [&bar](int v) { bar.SetValue(v); });
  return widget;
}

QComboBox* MakeComboBox(QWidget* parent, ComboBox& combo) {
  auto* widget = new QComboBox(parent);
  widget->setEditable(!combo.FixedList());
  widget->setInsertPolicy(QComboBox::NoInsert);
  Follow(combo, widget, [widget, &combo] {
    ApplyCommon(widget, combo);
    ShowItems(widget, combo.Items());
    if (combo.FixedList()) {
      widget->setCurrentIndex(combo.ListIndex());
    } else if (widget->currentText() != zb::ToQt(combo.Text())) {
      widget->setEditText(zb::ToQt(combo.Text()));
    }
  });
  QObject::connect(widget, &QComboBox::textActivated, widget,
                   [&combo](const QString& text) { combo.SetText(FromQt(text)); });
  if (!combo.FixedList()) {
    QObject::connect(widget, &QComboBox::editTextChanged, widget,
                     [&combo](const QString& text) { combo.SetText(FromQt(text)); });
  }
  return widget;
}

QComboBox* MakeDriveList(QWidget* parent, DriveList& drives) {
  auto* widget = new QComboBox(parent);
  Follow(drives, widget, [widget, &drives] {
    ApplyCommon(widget, drives);
    ShowItems(widget, drives.Items());
    widget->setCurrentIndex(IndexOf(drives.Items(), drives.Drive()));
  });
  QObject::connect(widget, &QComboBox::activated, widget, [widget, &drives](int index) {
    drives.SetDrive(FromQt(widget->itemText(index)));
    // A drive that is not ready leaves the control as it was.
    const QSignalBlocker quiet(widget);
    widget->setCurrentIndex(IndexOf(drives.Items(), drives.Drive()));
  });
  return widget;
}

QListWidget* MakeFolderList(QWidget* parent, PathList& folders) {
  auto* widget = new QListWidget(parent);
  Follow(folders, widget, [widget, &folders] {
    ApplyCommon(widget, folders);
    widget->clear();
    const QIcon open = widget->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = widget->style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (std::size_t i = 0; i < folders.Items().size(); ++i) {
      const FolderListRow row = DescribeFolderListItem(folders, i);
      widget->addItem(new QListWidgetItem(row.open ? open : closed,
                                          QString(row.depth * 2, ' ') + zb::ToQt(row.name)));
    }
    widget->setCurrentRow(IndexOf(folders.Items(), folders.Path()));
  });
  QObject::connect(widget, &QListWidget::itemActivated, widget,
                   [widget, &folders](QListWidgetItem* item) {
                     const std::size_t row = static_cast<std::size_t>(widget->row(item));
                     if (row >= folders.Items().size()) return;
                     // Moving refills this very list, which must not happen inside its own signal.
                     QMetaObject::invokeMethod(
                         widget, [&folders, path = folders.Items()[row]] { folders.SetPath(path); },
                         Qt::QueuedConnection);
                   });
  return widget;
}

QListWidget* MakeFileList(QWidget* parent, PathList& files) {
  auto* widget = new QListWidget(parent);
  Follow(files, widget, [widget, &files] {
    ApplyCommon(widget, files);
    widget->clear();
    widget->addItems(ToQt(files.Items()));
  });
  return widget;
}

QTabWidget* MakeTabs(QWidget* parent, TabControl& tabs) {
  auto* widget = new QTabWidget(parent);
  for (const std::string& title : tabs.Tabs()) {
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, ToQColor(kSilver));
    page->setPalette(palette);
    widget->addTab(page, zb::ToQt(title));
  }
  Follow(tabs, widget, [widget, &tabs] {
    ApplyCommon(widget, tabs);
    for (std::size_t i = 0; i < tabs.Tabs().size(); ++i) {
      widget->setTabText(static_cast<int>(i), zb::ToQt(tabs.Tabs()[i]));
    }
    widget->setCurrentIndex(tabs.Tab());
  });
  QObject::connect(widget, &QTabWidget::currentChanged, widget, [&tabs](int i) { tabs.SetTab(i); });
  return widget;
}

}  // namespace zb
