#pragma once

#include <array>
#include <span>
#include <variant>
#include <vector>

#include "form/main_form.h"

namespace zb {

// The three buttons of where a clicked picture opens (optWin2), kept as the
// index of the selected one.
struct OpenInButtons {};

using OptionControl =
    std::variant<CheckBox MainForm::*, ScrollBar MainForm::*, ComboBox MainForm::*,
                 TextBox MainForm::*, OptionMenuItem, OpenInButtons>;

// Whether a run locks an option, and what gives it back when the run ends.
enum class RunLock {
  kNever,
  kAlways,
  kWithGallery,             // only while pages are written at all
  kWithGalleryTable,        // only with the table layout
  kWithoutSameFolderPages,  // only while the pages go to their own folder
};

// One option of the window: how it is saved, restored, given on the
// command line and locked during a run.
struct FormOption {
  const char* key;  // in the settings: the control's name
  OptionControl control;
  // As stored; the folder fields have none, their defaults depend on the disk.
  const char* fallback;
  // Options added later are written only once used, so that a user who never
  // turns them on keeps exactly the settings file of before.
  bool savedOnceUsed;
  // Key of the option whose change also sets this one: this one is set after.
  const char* setAfter;
  const char* flag;  // on the command line, without "--"; null when it has none
  const char* help;
  int min, max;  // of a whole number on the command line; both 0 for other values
  RunLock lock;

  bool IsNumber() const { return max != 0; }
};

// Lambdas for std::visit on an OptionControl, one for each kind of control.
template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Not every compiler deduces an aggregate's template arguments yet.
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// In the order the settings file holds them.
std::span<const FormOption> FormOptions();

// The same, each after the option whose change sets it: the order in which
// restoring or the command line sets them.
const std::vector<const FormOption*>& FormOptionsInSettingOrder();

// The controls that show the option: one, or the open-in buttons and their
// frame.
std::vector<Control*> ControlsOf(const FormOption& option, MainForm& form);

// The command-line names of the open-in buttons, by index.
inline constexpr std::array<const char*, 3> kOpenInNames{"same", "window", "new"};

}  // namespace zb
