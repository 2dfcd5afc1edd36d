#pragma once

class QWidget;

namespace zb {

struct Platform;

// The About box: a modal dialog bound to its own model; returns when it is
// closed.
void ShowAboutWindow(QWidget* parent, Platform& platform);

}  // namespace zb
