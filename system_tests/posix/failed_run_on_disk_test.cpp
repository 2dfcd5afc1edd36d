// A run that fails part way on the real disk: the gallery and list of the run
// before stay whole wherever the failed run had not finished replacing them,
// with either way of writing replacements.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "context/run_messages.h"
#include "platform/posix/as_nobody_for_test.h"
#include "system_tests/posix/disk_run_for_test.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;

// Each entry of a folder by name: a file's bytes, or "link" for a link.
std::map<std::string, std::string> Entries(const TestFolder& folder, const std::string& at) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder.Host(at))) {
    const std::string name = entry.path().filename().string();
    entries[name] = entry.is_symlink() ? "link" : folder.Contents(at + "/" + name);
  }
  return entries;
}

class FailedRunOnDisk : public testing::TestWithParam<bool> {
 protected:
  FailedRunOnDisk() {
    OutputCalls calls;
    calls.unnamedFiles = GetParam();
    run_ = std::make_unique<DiskRun>(0, calls);
    for (const char* name : {"a", "b", "c"})
      run_->folder.Put("pics/" + std::string(name) + ".gif", Gif(40));
    run_->Start();
    EXPECT_EQ(run_->program.session.lastOutcome, RunOutcome::kCompleted);
    run_->folder.Put("pics/d.gif", Gif(40));
  }

  std::unique_ptr<DiskRun> run_;
};
INSTANTIATE_TEST_SUITE_P(UnnamedOrBeside, FailedRunOnDisk, testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Beside"; });

TEST_P(FailedRunOnDisk, ALinkWhereAReducedPageWasKeepsTheOldPageAndList) {
  DiskRun& r = *run_;
  const std::string reduced = r.folder.Host("_Zorbelle/_gaz0000.html");
  fs::remove(reduced);
  fs::create_symlink(r.folder.Host("nowhere"), reduced);
  const auto before = Entries(r.folder, "_Zorbelle");
  ASSERT_EQ(before.at("allfile.txt").size(), std::string("C:\\pics\\a.gif\r\n").size() * 3);

  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_THAT(r.Reports(), ElementsAre(NotAPlainFileMessage("C:\\_Zorbelle\\_gaz0000.html").text,
                                       FailedRunMessage().text));
  EXPECT_EQ(Entries(r.folder, "_Zorbelle"), before);  // no stray file either
  EXPECT_FALSE(fs::exists(r.folder.Host("nowhere")));
}

// As root every page is writable; its owner is not root.
TEST_P(FailedRunOnDisk, AReadOnlyPageIsNotOverwrittenAndTheRunKeepsTheRest) {
  DiskRun& r = *run_;
  ASSERT_EQ(chmod(r.folder.Host("_Zorbelle/_gaz0000.html").c_str(), 0444), 0);
  const auto before = Entries(r.folder, "_Zorbelle");
  GiveToNobody(r.folder.path());

  const int status = RunAsNobody([&] {
    r.Start();
    return r.program.session.lastOutcome == RunOutcome::kFailed &&
                   r.Reports() == std::vector<std::string>{PageWriteErrorMessage().text,
                                                           FailedRunMessage().text}
               ? 0
               : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Entries(r.folder, "_Zorbelle"), before);
  struct stat page;
  ASSERT_EQ(stat(r.folder.Host("_Zorbelle/_gaz0000.html").c_str(), &page), 0);
  EXPECT_EQ(page.st_mode & 0777, 0444u);
}

}  // namespace
}  // namespace zb
