#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "gallery/gallery_writer.h"
#include "platform/platform.h"
#include "run/run_context.h"
#include "scan/placement_queue.h"
#include "window/main_form.h"

namespace zb {

enum class RunOutcome { kNone, kNoOptions, kCompleted, kStopped, kFailed };

struct FolderIdHash {
  std::size_t operator()(const FolderId& id) const {
    return std::hash<std::uint64_t>()(id.device * 0x9E3779B97F4A7C15ull ^ id.inode);
  }
};

// One running program: the main window's model, the run state and the
// host services, with the module-level state of the window's handlers.
struct Program {
  explicit Program(Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Platform& platform;
  MainForm form;
  RunContext run;
  GalleryWriter gallery;
  std::unique_ptr<TextFile> allFileList;
  PlacementQueue placements;
  std::unordered_set<FolderId, FolderIdHash> enteredFolders;
  std::string CurrentEntry;
  RunOutcome lastOutcome = RunOutcome::kNone;

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
