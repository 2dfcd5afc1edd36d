#include "platform/win32/win32_thumbnail_helper_process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "platform/win32/handle_channel.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// This test program stands in for a helper that misbehaves when started
// as a helper with this variable set: it tells its process ID through the
// variable's file, then behaves as the variable's name says.
constexpr wchar_t kStandIn[] = L"ZORBELLE_TEST_STAND_IN_HELPER";
constexpr wchar_t kStandInFile[] = L"ZORBELLE_TEST_STAND_IN_FILE";

void StandIn(const std::wstring& how) {
  HandleChannel channel(GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE));
  std::uint32_t head[2] = {};
  channel.Read(head, sizeof head);
  if (how == L"dies") ExitProcess(3);
  if (how == L"limits") {
    // Answers with the limits of the job it runs in, none outside one.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    BOOL inJob = FALSE;
    const std::uint32_t length = sizeof limits;
    if (IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob &&
        QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits,
                                  sizeof limits, nullptr)) {
      channel.Write(&length, sizeof length);
      channel.Write(&limits, sizeof limits);
    }
    // Then leaves at the end of the requests, as the real helper does.
    while (channel.Read(head, sizeof head)) {
    }
    return;
  }
  Sleep(INFINITE);
}

const bool standingIn = [] {
  wchar_t how[32] = {};
  wchar_t file[MAX_PATH] = {};
  if (std::wcsstr(GetCommandLineW(), L" --thumbnail-worker ") == nullptr ||
      GetEnvironmentVariableW(kStandIn, how, 32) == 0 ||
      GetEnvironmentVariableW(kStandInFile, file, MAX_PATH) == 0) {
    return false;
  }
  std::ofstream(file) << GetCurrentProcessId();
  StandIn(how);
  ExitProcess(0);
}();

std::string ThisProgram() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return Utf8FromWide(self);
}

struct HelperProcessTest : testing::Test {
  HelperProcessTest() {
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    folder = fs::path(temporary) / ("zorbelle-helpers-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
  }
  ~HelperProcessTest() override {
    SetEnvironmentVariableW(kStandIn, nullptr);
    SetEnvironmentVariableW(kStandInFile, nullptr);
    fs::remove_all(folder);
  }
  // A helper that stands in as `how` says, with its process once it told
  // its number.
  std::pair<std::unique_ptr<ThumbnailHelperProcess>, UniqueHandle> StandIn(
      const std::wstring& how) {
    SetEnvironmentVariableW(kStandIn, how.c_str());
    SetEnvironmentVariableW(kStandInFile, (folder / (how + L".pid")).c_str());
    auto helper = launcher.Start();
    return {std::move(helper), ProcessTold(folder / (how + L".pid"))};
  }
  // The stand-in's process, once it told its number in `file`.
  static UniqueHandle ProcessTold(const fs::path& file) {
    DWORD pid = 0;
    for (int i = 0; i < 1000 && pid == 0; ++i) {
      std::ifstream(file) >> pid;
      if (pid == 0) Sleep(10);
    }
    return UniqueHandle(pid == 0 ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, pid));
  }
  fs::path folder;
  Win32ThumbnailHelperLauncher launcher{ThisProgram()};
};

TEST_F(HelperProcessTest, HelpersRunInAJobBoundingTheirMemory) {
  auto [helper, process] = StandIn(L"limits");
  ASSERT_TRUE(helper);
  const auto bytes = helper->Exchange({"C:\\a.jpg", 64}, 10s);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  ASSERT_TRUE(bytes && bytes->size() == sizeof limits);
  std::memcpy(&limits, bytes->data(), sizeof limits);
  const DWORD flags = limits.BasicLimitInformation.LimitFlags;
  if (flags == 0) GTEST_SKIP() << "in a job, but Wine 8 keeps no job limits to read back";
  EXPECT_TRUE(flags & JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE);
  EXPECT_TRUE(flags & JOB_OBJECT_LIMIT_PROCESS_MEMORY);
  EXPECT_EQ(limits.ProcessMemoryLimit, kHelperMemoryBytes);
}

// As the pool does with one that gives no answer, or is abandoned.
TEST_F(HelperProcessTest, OneThatDiesHangsOrIsKilledFromAnotherThreadGivesNoAnswerAndEnds) {
  for (const std::wstring how : {L"dies", L"silent", L"killed"}) {
    auto [helper, process] = StandIn(how);
    ASSERT_TRUE(helper && process) << Utf8FromWide(how);
    ThumbnailHelperProcess& started = *helper;
    const auto asked = Clock::now();
    auto answer = std::async(std::launch::async, [&] {
      return started.Exchange({"C:\\a.jpg", 64}, how == L"killed" ? 20s : 500ms);
    });
    if (how == L"killed") {
      std::this_thread::sleep_for(200ms);  // for the answer to be waited for
      helper->Kill();
    }
    EXPECT_EQ(answer.get(), std::nullopt) << Utf8FromWide(how);
    EXPECT_LT(Clock::now() - asked, 5s) << Utf8FromWide(how);
    EXPECT_EQ(WaitForSingleObject(process.get(), 5000), WAIT_OBJECT_0) << Utf8FromWide(how);
  }
}

// The job ends the helpers with their run, however the run ends: here the
// death test's child, which runs this body afresh and finds the parent's
// stand-in file in the environment.
TEST_F(HelperProcessTest, HelpersEndWithTheirRunHoweverItEnds) {
  wchar_t inherited[MAX_PATH] = {};
  if (GetEnvironmentVariableW(kStandInFile, inherited, MAX_PATH) == 0) {
    SetEnvironmentVariableW(kStandIn, L"silent");
    SetEnvironmentVariableW(kStandInFile, (folder / L"silent.pid").c_str());
  }
  GetEnvironmentVariableW(kStandInFile, inherited, MAX_PATH);
  const fs::path told = inherited;
  EXPECT_EXIT(
      {
        Win32ThumbnailHelperLauncher run(ThisProgram());
        const auto helper = run.Start();
        ProcessTold(told);
        fs::remove_all(folder);  // the child's own, which no destructor will remove
        TerminateProcess(GetCurrentProcess(), 3);
      },
      testing::ExitedWithCode(3), "");
  ASSERT_TRUE(fs::exists(told)) << "the run started no helper";
  const UniqueHandle helper = ProcessTold(told);
  EXPECT_TRUE(!helper || WaitForSingleObject(helper.get(), 5000) == WAIT_OBJECT_0);
}

}  // namespace
}  // namespace zb
