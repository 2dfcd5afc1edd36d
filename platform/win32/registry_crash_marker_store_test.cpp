#include "platform/win32/registry_crash_marker_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

// Another run of the program, as far as the marker's mutex can tell.
void OnAnotherThread(const std::function<void()>& run) { std::thread(run).join(); }

// Each test has an application of its own in the real registry and removes
// it afterwards.
class RegistryCrashMarkerStoreTest : public ::testing::Test {
 protected:
  ~RegistryCrashMarkerStoreTest() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8("Software\\" + app_).c_str());
  }

  // The value itself, whoever owns it.
  std::string Stored() {
    return RegistrySettingsStore().Read(app_, kCrashMarkerSection, kCrashMarkerKey, "none");
  }

  const std::string app_ = "ZorbelleTest-" + std::to_string(std::random_device()());
  RegistryCrashMarkerStore store_;
};

TEST_F(RegistryCrashMarkerStoreTest, ThePathReadsBackUntilCleared) {
  EXPECT_EQ(store_.Read(app_, "1"), "1");
  ASSERT_TRUE(store_.Write(app_, "C:\\写真\\夏休み.jpg"));
  EXPECT_EQ(store_.Read(app_, "1"), "C:\\写真\\夏休み.jpg");
  EXPECT_EQ(Stored(), "C:\\写真\\夏休み.jpg");
  ASSERT_TRUE(store_.Write(app_, ""));
  EXPECT_EQ(store_.Read(app_, "1"), "");
  EXPECT_EQ(RegistryCrashMarkerStore().Read(app_, "1"), "");
}

TEST_F(RegistryCrashMarkerStoreTest, ALivingOwnersMarkerIsNoCrashAndOnlyItsOwnerChangesIt) {
  ASSERT_TRUE(store_.Write(app_, "C:\\a.jpg"));
  ASSERT_TRUE(store_.Write(app_, "C:\\b.jpg"));
  OnAnotherThread([&] {
    RegistryCrashMarkerStore other;
    EXPECT_EQ(other.Read(app_, "1"), "");
    EXPECT_EQ(other.Read("zorbelletest-" + app_.substr(13), "1"), "");
    EXPECT_FALSE(other.Write(app_, "C:\\other.jpg"));
    EXPECT_TRUE(other.Write(app_, ""));
  });
  EXPECT_EQ(Stored(), "C:\\b.jpg");
  EXPECT_EQ(store_.Read(app_, "1"), "C:\\b.jpg");

  ASSERT_TRUE(store_.Write(app_, ""));
  std::promise<void> written;
  std::promise<void> checked;
  std::thread owner([&] {
    RegistryCrashMarkerStore other;
    EXPECT_TRUE(other.Write(app_, "C:\\other.jpg"));
    written.set_value();
    checked.get_future().wait();
  });
  written.get_future().wait();
  EXPECT_EQ(store_.Read(app_, "1"), "");
  EXPECT_TRUE(store_.Write(app_, ""));
  EXPECT_EQ(Stored(), "C:\\other.jpg");
  checked.set_value();
  owner.join();
}

// A thread ending while it holds the marker abandons the mutex, as a
// killed process does.
TEST_F(RegistryCrashMarkerStoreTest, AnAbandonedMarkerIsACrashRecordForTheNextRunToOwn) {
  auto dying = std::make_unique<RegistryCrashMarkerStore>();
  OnAnotherThread([&] { ASSERT_TRUE(dying->Write(app_, "C:\\crashes\\here.jpg")); });
  // A reader that kept the mutex would leave it abandoned again.
  OnAnotherThread(
      [&] { EXPECT_EQ(RegistryCrashMarkerStore().Read(app_, "1"), "C:\\crashes\\here.jpg"); });
  ASSERT_TRUE(store_.Write(app_, "C:\\next.jpg"));
  dying.reset();  // on a thread that holds the mutex for store_
  OnAnotherThread([&] { EXPECT_EQ(RegistryCrashMarkerStore().Read(app_, "1"), ""); });
}

// A run that ends uncleared leaves its path as a crash record, and the
// marker free while its thread goes on.
TEST_F(RegistryCrashMarkerStoreTest, AStoreLetsTheMarkerGoWhenDestroyed) {
  // The mutex outlives the store only while someone else has it open.
  EXPECT_EQ(store_.Read(app_, "1"), "1");
  {
    RegistryCrashMarkerStore ending;
    ASSERT_TRUE(ending.Write(app_, "C:\\last.jpg"));
  }
  OnAnotherThread([&] {
    RegistryCrashMarkerStore next;
    EXPECT_EQ(next.Read(app_, "1"), "C:\\last.jpg");
    EXPECT_TRUE(next.Write(app_, "C:\\other.jpg"));
  });
}

// A real second process: the death test runs this body afresh in a child,
// which takes the parent's application from the environment.
TEST_F(RegistryCrashMarkerStoreTest, AKilledProcessLeavesItsPathAsTheCrashRecord) {
  constexpr char kParentsApp[] = "ZORBELLE_TEST_CRASH_MARKER_APP";
  char inherited[64] = {};
  const bool child = GetEnvironmentVariableA(kParentsApp, inherited, sizeof inherited) > 0;
  const std::string app = child ? inherited : app_;
  ASSERT_TRUE(SetEnvironmentVariableA(kParentsApp, app.c_str()));
  // Open while the child dies, the mutex is abandoned rather than gone.
  EXPECT_EQ(store_.Read(app, "1"), "1");
  EXPECT_EXIT(
      {
        RegistryCrashMarkerStore dying;
        dying.Write(app, "C:\\crashes\\here.jpg");
        TerminateProcess(GetCurrentProcess(), 3);
      },
      ::testing::ExitedWithCode(3), "");
  SetEnvironmentVariableA(kParentsApp, nullptr);
  EXPECT_EQ(store_.Read(app, "1"), "C:\\crashes\\here.jpg");
  EXPECT_TRUE(store_.Write(app, "C:\\next.jpg"));
}

}  // namespace
}  // namespace zb
