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
  // path, toHostPath the drive path it opens at into a host path; each is
  // empty when there is none.
  using PathOf = std::function<std::optional<std::string>(const std::string& path)>;
  QtDialogs(PathOf toDrivePath, PathOf toHostPath)
      : toDrivePath_(std::move(toDrivePath)), toHostPath_(std::move(toHostPath)) {}

  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

 private:
  QPointer<QWidget> parent_;
  PathOf toDrivePath_;
  PathOf toHostPath_;
};

// The filter as a Qt file dialog takes it: "name (pattern)".
QString NameFilter(const OpenFileRequest& request);

// An open dialog that keeps the request's promise that the chosen file's
// folder exists. It opens at startAt (a host folder, or a file in one); its
// lists show where the keyboard is as soon as they are tabbed into.
class ListFileDialog : public QFileDialog {
 public:
  ListFileDialog(QWidget* parent, const OpenFileRequest& request, const QString& startAt = {});
  void accept() override;

 private:
  void OpenAt(const QString& startAt);

  OpenFileRequest request_;
};

}  // namespace zb
