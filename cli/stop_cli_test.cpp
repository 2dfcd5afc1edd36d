#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/cli_process_for_test.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/testing/test_folder.h"
#include "platform/posix/thumbnailer_place.h"
#include "settings/crash_marker.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::HasSubstr;
using testing::Not;

// zorbelle-cli beside a helper that never answers, as on a picture that
// takes its decoder for ever; each helper notes its process ID.
class StopWhileDecoding : public testing::Test {
 protected:
  StopWhileDecoding() {
    const std::string jpeg = JpegWithOrientation(RedLeftBlueRight(64, 48), 1);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      folder_.Put(std::string("pics/") + name, jpeg);
    fs::create_directories(folder_.Host("bin"));
    fs::copy_file(ZORBELLE_CLI_PATH, cli_);
    PutHelper("exec sleep 1000\n");
  }
  // The stand-in helper: it notes its process ID, then runs body.
  void PutHelper(const std::string& body) {
    const std::string helper =
        folder_.Put(std::string("bin/") + kThumbnailerName,
                    "#!/bin/sh\necho $$ >> " + folder_.Host("helpers") + "\n" + body);
    fs::permissions(helper, fs::perms::owner_all);
  }
  std::unique_ptr<CliProcess> Start() {
    return std::make_unique<CliProcess>(
        std::vector<std::string>{"--yes", "--thumbnails", folder_.Host("pics")},
        CliEnvironment(folder_), cli_);
  }
  // Waits until `holds` is true of the file's text; false after a minute.
  bool WaitUntil(const std::string& relative,
                 const std::function<bool(const std::string&)>& holds) {
    for (int i = 0; i < 6000; ++i) {
      std::ostringstream text;
      text << std::ifstream(folder_.Host(relative)).rdbuf();
      if (holds(text.str())) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }
  // The walk is over: helpers started, the marker no longer names a picture.
  bool WaitingForThumbnails() {
    const std::string marker = std::string("config/Zorbelle/") + kCrashMarkerSection + ".ini";
    return WaitUntil("helpers", [](const std::string& text) { return !text.empty(); }) &&
           WaitUntil(marker, [](const std::string& text) {
             return !text.empty() && text.find(".jpg") == std::string::npos;
           });
  }
  std::vector<pid_t> Helpers() {
    std::vector<pid_t> pids;
    std::istringstream text(folder_.Contents("helpers"));
    for (pid_t pid; text >> pid;) pids.push_back(pid);
    return pids;
  }
  static bool Alive(pid_t pid) { return kill(pid, 0) == 0; }

  TestFolder folder_;
  const std::string cli_ = folder_.Host("bin/zorbelle-cli");
};

TEST_F(StopWhileDecoding, EachStopSignalEndsTheRunInOrderAndEndsTheHelpers) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    fs::remove(folder_.Host("helpers"));
    auto run = Start();
    ASSERT_TRUE(WaitingForThumbnails());
    kill(run->pid(), signal);
    const ProcessResult result = run->Finish();
    EXPECT_EQ(result.exitCode, 130) << signal << result.err;
    // Every picture is placed, with its original, and the list page is written.
    const std::string page = folder_.Contents("pics/_gaz0000.html");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      EXPECT_THAT(page, HasSubstr(std::string("<img src=\"") + name)) << signal;
    }
    EXPECT_TRUE(fs::exists(folder_.Host("pics/_gazlist.htm")));
    for (const pid_t helper : Helpers()) EXPECT_FALSE(Alive(helper)) << signal;
    // Nothing is held against the pictures: a later run tries them again.
    for (const auto& entry : fs::directory_iterator(folder_.Host("pics/_gazthumb"))) {
      EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr(".none")));
    }
  }
}

TEST_F(StopWhileDecoding, KilledWhileWaitingTheRunLeavesNoSuspect) {
  // These stand-ins leave once their run is gone, as the real helper does:
  // their parent must be the run whose number they were given. Compared with
  // $PPID instead, one started as the run was killed saw init as its first
  // parent, waited for ever and held the run's output open.
  PutHelper("while [ \"$(cut -d' ' -f4 /proc/$$/stat)\" = \"$2\" ]; do sleep 0.1; done\n");
  auto run = Start();
  ASSERT_TRUE(WaitingForThumbnails()) << "the marker still names a picture while the run waits";
  kill(run->pid(), SIGKILL);
  run->Finish();
  EXPECT_EQ(IniCrashMarkerStore(folder_.Host("config")).Read("Zorbelle", "unwritten"), "");
}

}  // namespace
}  // namespace zb
