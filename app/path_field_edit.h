#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

#include "form/controls.h"

namespace zb {

// A one-line path field bound to its text box: typing, the selection and the
// focus go both ways; Enter goes to the box's KeyPress first; dropped files
// reach its OLEDragDrop as drive paths.
class PathFieldEdit : public QLineEdit {
 public:
  // The drive path of a dropped host file; the host path itself when no
  // drive holds it.
  using DrivePathOf = std::function<std::string(const std::string& hostPath)>;
  PathFieldEdit(QWidget* parent, TextBox& field, DrivePathOf toDrivePath);

  TextBox& field() { return field_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Show();
  // The user's typing and selection into the text box.
  void Take();

  TextBox& field_;
  DrivePathOf toDrivePath_;
  bool taking_ = false;
  bool wantedFocus_ = false;
};

}  // namespace zb
