#include "platform/win32/win32_thumbnail_helper_pool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <future>

#include "platform/win32/handle_channel.h"
#include "platform/win32/testing/bmp_for_test.h"
#include "platform/win32/testing/wic_pixels_for_test.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_thumbnail_maker.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

using namespace std::chrono_literals;
using Outcome = Win32ThumbnailHelperPool::Outcome;
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
  if (how == L"halfway") {
    const std::uint32_t length = 16;
    channel.Write(&length, sizeof length);
    channel.Write("abc", 3);
  } else if (how == L"oversized") {
    const std::uint32_t length = 0xFFFFFFFF;
    channel.Write(&length, sizeof length);
  } else if (how == L"limits") {
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

std::future<std::pair<Outcome, std::vector<std::uint8_t>>> Post(Win32ThumbnailHelperPool& pool,
                                                                const std::string& path,
                                                                int side = 64) {
  auto done = std::make_shared<std::promise<std::pair<Outcome, std::vector<std::uint8_t>>>>();
  pool.Post(path, side, [done](Outcome outcome, std::vector<std::uint8_t> bytes) {
    done->set_value({outcome, std::move(bytes)});
  });
  return done->get_future();
}

struct HelperPoolTest : testing::Test {
  HelperPoolTest() {
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    folder = fs::path(temporary) / ("zorbelle-helpers-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
  }
  ~HelperPoolTest() override {
    SetEnvironmentVariableW(kStandIn, nullptr);
    SetEnvironmentVariableW(kStandInFile, nullptr);
    fs::remove_all(folder);
  }
  // The helpers started from now on stand in as `how` says.
  void StandInAs(const std::wstring& how) {
    SetEnvironmentVariableW(kStandIn, how.c_str());
    SetEnvironmentVariableW(kStandInFile, (folder / (how + L".pid")).c_str());
  }
  UniqueHandle StandInProcess(const std::wstring& how) {
    return ProcessTold(folder / (how + L".pid"));
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
  static bool Ended(const UniqueHandle& process) {
    return !process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
  }
  std::string Picture(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return Utf8FromWide(path.wstring());
  }

  fs::path folder;
};

TEST_F(HelperPoolTest, TheRealHelperBesideTheTestsMakesThumbnailsAndRefusesWhatIsNone) {
  const std::string helper = ThumbnailerProgram();
  ASSERT_FALSE(helper.empty()) << "zorbelle-thumbnailer.exe beside " << ThisProgram();
  Win32ThumbnailHelperPool pool(helper, 1);
  const std::string picture = Picture("a.bmp", BmpOf(120, 60, 24, [](int x, int) {
                                        return Rgb{static_cast<std::uint8_t>(x), 0, 0};
                                      }));
  const std::string text = Picture("b.bmp", {'t', 'e', 'x', 't'});
  // The same helper goes on after a refusal.
  for (const std::string& path : {picture, text, picture}) {
    auto [outcome, bytes] = Post(pool, path).get();
    if (path == text) {
      EXPECT_EQ(outcome, Outcome::kRefused);
      EXPECT_TRUE(bytes.empty());
      continue;
    }
    ASSERT_EQ(outcome, Outcome::kMade);
    ComForTest com;
    const std::optional<WicPixels> made = DecodeWithWic(bytes);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->format, GUID_ContainerFormatJpeg);
    EXPECT_EQ(made->width, 64u);
    EXPECT_EQ(made->height, 32u);
  }
  EXPECT_EQ(Post(pool, Utf8FromWide((folder / "missing.bmp").wstring())).get().first,
            Outcome::kRefused);
}

TEST_F(HelperPoolTest, WithoutAHelperProgramNothingIsAnswered) {
  Win32ThumbnailHelperPool pool(Utf8FromWide((folder / "none.exe").wstring()), 1);
  EXPECT_EQ(Post(pool, "C:\\a.jpg").get().first, Outcome::kUnanswered);
}

TEST_F(HelperPoolTest, HelpersRunInAJobBoundingTheirMemory) {
  StandInAs(L"limits");
  Win32ThumbnailHelperPool pool(ThisProgram(), 1, 10s);
  auto [outcome, bytes] = Post(pool, "C:\\a.jpg").get();
  ASSERT_EQ(outcome, Outcome::kMade);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  ASSERT_EQ(bytes.size(), sizeof limits);
  std::memcpy(&limits, bytes.data(), sizeof limits);
  const DWORD flags = limits.BasicLimitInformation.LimitFlags;
  if (flags == 0) GTEST_SKIP() << "in a job, but Wine 8 keeps no job limits to read back";
  EXPECT_TRUE(flags & JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE);
  EXPECT_TRUE(flags & JOB_OBJECT_LIMIT_PROCESS_MEMORY);
  EXPECT_EQ(limits.ProcessMemoryLimit, kHelperMemoryBytes);
}

TEST_F(HelperPoolTest, OneThatDiesHangsOrStopsHalfWayCostsItsPictureAndIsEnded) {
  for (const std::wstring how : {L"dies", L"silent", L"halfway", L"oversized"}) {
    StandInAs(how);
    Win32ThumbnailHelperPool pool(ThisProgram(), 1, 500ms);
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(Post(pool, "C:\\a.jpg").get().first, Outcome::kRefused) << Utf8FromWide(how);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 5s) << Utf8FromWide(how);
    EXPECT_TRUE(Ended(StandInProcess(how))) << Utf8FromWide(how);
  }
}

// Abandoning answers at once what waits and what a helper is on, without
// waiting for a helper's timeout; nothing of it counts as the picture's fault.
TEST_F(HelperPoolTest, AbandonAnswersEveryJobAtOnceAndEndsTheHelpersAtWork) {
  StandInAs(L"silent");
  Win32ThumbnailHelperPool pool(ThisProgram(), 1, 20s);
  std::vector<std::future<std::pair<Outcome, std::vector<std::uint8_t>>>> outcomes;
  for (int i = 0; i < 3; ++i) outcomes.push_back(Post(pool, "C:\\a.jpg"));
  const UniqueHandle helper = StandInProcess(L"silent");
  ASSERT_TRUE(helper);
  const auto abandoned = std::chrono::steady_clock::now();
  pool.Abandon();
  for (auto& outcome : outcomes) EXPECT_EQ(outcome.get().first, Outcome::kUnanswered);
  EXPECT_LT(std::chrono::steady_clock::now() - abandoned, 10s);
  pool.Settle();
  EXPECT_TRUE(Ended(helper));
}

// The job ends the helpers with their run, however the run ends: here the
// death test's child, which runs this body afresh and finds the parent's
// stand-in file in the environment.
TEST_F(HelperPoolTest, HelpersEndWithTheirRunHoweverItEnds) {
  wchar_t inherited[MAX_PATH] = {};
  if (GetEnvironmentVariableW(kStandInFile, inherited, MAX_PATH) == 0) StandInAs(L"silent");
  GetEnvironmentVariableW(kStandInFile, inherited, MAX_PATH);
  const fs::path told = inherited;
  EXPECT_EXIT(
      {
        Win32ThumbnailHelperPool pool(ThisProgram(), 1);
        Post(pool, "C:\\a.jpg");
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
