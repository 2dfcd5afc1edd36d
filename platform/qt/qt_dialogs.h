#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace zb {

// Message boxes and the open-file dialog as Qt widgets, modal over the window.
class QtDialogs : public Dialogs {
 public:
  // toDrivePath turns the host path the file dialog returns into a drive
  // path; empty when no drive holds it.
  using DrivePathOf = std::function<std::optional<std::string>(const std::string& hostPath)>;
  explicit QtDialogs(DrivePathOf toDrivePath) : toDrivePath_(std::move(toDrivePath)) {}

  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

 private:
  QPointer<QWidget> parent_;
  DrivePathOf toDrivePath_;
};

// The filter as a Qt file dialog takes it: "name (pattern)".
QString NameFilter(const OpenFileRequest& request);

// An open dialog that keeps the request's promises: the chosen file's folder
// exists, and choosing an existing file is confirmed.
class ListFileDialog : public QFileDialog {
 public:
  ListFileDialog(QWidget* parent, const OpenFileRequest& request);
  void accept() override;

 private:
  OpenFileRequest request_;
};

}  // namespace zb
