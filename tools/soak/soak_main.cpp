// zorbelle-soak: catalogue runs back to back in one process, as a user who
// leaves the window open would make them, on a tree that changes between
// runs. Checks every run's outputs and prints its memory and descriptors;
// fails when a check fails or either figure grows.
//
//   zorbelle-soak [RUNS [SEED]]     (200 runs, seed 1)
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/posix/posix_platform.h"
#include "tools/soak/changing_tree.h"
#include "tools/soak/output_check.h"
#include "tools/soak/process_usage.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace {

constexpr int kPerPage = 20;
// Memory may settle over the first runs; after them it must stay within this.
constexpr int kWarmUpRuns = 10;
constexpr std::size_t kAllowedGrowthKiB = 1024;

// Nobody answers: every box takes its default button and is counted.
class UnattendedDialogs : public zb::Dialogs {
 public:
  zb::Answer Show(const zb::MessageBox& box) override {
    shown.push_back(box.title + ": " + box.text);
    return box.defaultButton;
  }
  std::optional<std::string> OpenFile(const zb::OpenFileRequest&) override { return std::nullopt; }
  std::vector<std::string> shown;
};

// The results are not opened: no browser starts 200 times.
class NoShell : public zb::Shell {
 public:
  void Open(const std::string&, const std::string&, const std::string&) override {}
};

std::string TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorbelle-soak-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  return pattern;
}

struct Usage {
  std::size_t residentKiB;
  int descriptors;
};

// The same checks for every run; false when a run went wrong.
bool RunOnce(int run, zb::Program& program, UnattendedDialogs& dialogs,
             const zb::soak::ChangingTree& tree, const std::string& root, Usage& usage) {
  dialogs.shown.clear();
  program.form.cmdStart.Press();
  zb::soak::RunOutputs outputs =
      zb::soak::CheckOutputs(root + "/_Zorbelle", "C:\\tree\\", tree.Files(), kPerPage);
  if (program.session.lastOutcome != zb::RunOutcome::kCompleted)
    outputs.problems.push_back("not completed");
  for (const std::string& box : dialogs.shown) outputs.problems.push_back("shown: " + box);
  usage = {zb::soak::ResidentKiB(), zb::soak::OpenDescriptors()};
  std::printf("run %3d: %4zu files, %4d pictures, %3d page pairs; rss %6zu KiB, %2d fds%s\n", run,
              tree.Files().size(), outputs.pictures, outputs.pairs, usage.residentKiB,
              usage.descriptors, outputs.problems.empty() ? "" : "  FAILED");
  for (const std::string& problem : outputs.problems) std::printf("  %s\n", problem.c_str());
  return outputs.problems.empty();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u;
  const std::string root = TemporaryFolder();
  std::filesystem::create_directory(root + "/tree");
  zb::soak::ChangingTree tree(root + "/tree", ZORBELLE_SOURCE_DIR "/samples/pictures", seed);

  zb::PosixPlatform host(zb::DriveTable::Parse("c=" + root), root + "/config", "");
  UnattendedDialogs dialogs;
  NoShell shell;
  const zb::Platform services = host.With(dialogs);
  zb::Platform platform = services.With(shell);
  zb::Program program(platform);
  zb::Form_Load(program);
  zb::Form_Activate(program);
  zb::MainForm& f = program.form;
  f.chkSameDir.SetValue(0);
  f.chkGazoHtml.SetValue(1);
  f.chkBmp.SetValue(1);
  f.chkSubDir.SetValue(1);
  f.chkAllFileList.SetValue(1);
  f.hscGazoSuu.SetValue(kPerPage);
  if (!zb::MoveFolderList(program, "C:\\tree")) return 2;

  int failed = 0;
  Usage first{}, settled{}, last{}, largest{};
  for (int run = 1; run <= runs; ++run) {
    if (run > 1) tree.Change();
    if (!RunOnce(run, program, dialogs, tree, root, last)) ++failed;
    if (run == 1) first = last;
    if (run == std::min(kWarmUpRuns, runs)) settled = last;
    largest.residentKiB = std::max(largest.residentKiB, last.residentKiB);
    largest.descriptors = std::max(largest.descriptors, last.descriptors);
  }
  std::filesystem::remove_all(root);

  std::printf(
      "first run: rss %zu KiB, %d fds; run %d: rss %zu KiB; last run: rss %zu KiB, %d fds; "
      "largest: rss %zu KiB, %d fds\n",
      first.residentKiB, first.descriptors, std::min(kWarmUpRuns, runs), settled.residentKiB,
      last.residentKiB, last.descriptors, largest.residentKiB, largest.descriptors);
  const bool flat = largest.descriptors == first.descriptors &&
                    last.residentKiB <= settled.residentKiB + kAllowedGrowthKiB;
  std::printf("%d of %d runs failed; memory and descriptors %s\n", failed, runs,
              flat ? "flat" : "GREW");
  return failed == 0 && flat ? 0 : 1;
}
