#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "form/main_form.h"
#include "platform/platform.h"
#include "scan/run_session.h"

namespace zb {

// One running program: the main window's model, the run session and the
// host services, with the module-level state of the window's handlers.
struct Program {
  explicit Program(Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Platform& platform;
  MainForm form;
  RunSession session;

  // Enter moves the focus around these two fields.
  std::array<TextBox*, 2> focusRing{};
  std::int16_t focusIndex = 0;
  TextBox* focused = nullptr;
  bool activatedOnce = false;
  // The window was closed during a run: it closes once the run has ended.
  bool closeAfterRun = false;

  // Shows the About box modally; the window supplies it, the command line
  // has none.
  std::function<void()> ShowAboutDialog;

  // The screen the window opens on, in twips; the view measures it.
  struct {
    double width = 0;
    double height = 0;
  } screen;
};

}  // namespace zb
