#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "context/run_context.h"
#include "form/main_form.h"
#include "gallery/gallery_writer.h"
#include "platform/platform.h"
#include "scan/placement_queue.h"

namespace zb {

enum class RunOutcome { kNone, kNoOptions, kCompleted, kStopped, kFailed };

struct FolderIdHash {
  std::size_t operator()(const FolderId& id) const {
    return std::hash<std::uint64_t>()(id.device * 0x9E3779B97F4A7C15ull ^ id.inode);
  }
};

// What a run works with: the host services, the form it reads and shows its
// progress on, and the state that lasts from one run to the next.
struct RunSession {
  RunSession(Platform& platform, MainForm& form);
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

  Platform& platform;
  MainForm& form;
  RunContext run;
  GalleryWriter gallery;
  std::unique_ptr<TextFile> allFileList;
  PlacementQueue placements;
  std::unordered_set<FolderId, FolderIdHash> enteredFolders;
  std::string CurrentEntry;
  RunOutcome lastOutcome = RunOutcome::kNone;

  // Gives the search field the focus once a run is over; the window supplies
  // it, the command line has no focus.
  std::function<void()> FocusSearchField;
};

}  // namespace zb
