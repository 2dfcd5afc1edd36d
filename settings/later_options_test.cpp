#include <gtest/gtest.h>

#include "platform/posix/ini_settings_store.h"
#include "platform/posix/test_folder.h"
#include "run/run_lockout.h"
#include "settings/save_settings.h"
#include "settings/settings_test_host.h"

namespace zb {
namespace {

constexpr const char* kFile = "config/Zorbelle/CheckBox Value.ini";

TEST(LaterOptions, AreSavedOnceUsedAndComeBackWhetherOnOrOff) {
  TestFolder folder;
  IniSettingsStore store(folder.Host("config"));
  SettingsTestHost host(&store);
  const auto first = host.Start();
  SaveSettings(*first);
  const std::string untouched = folder.Contents(kFile);
  EXPECT_EQ(untouched.find("mnuOptionItem2"), std::string::npos);

  first->form.mnuOptionItem[2].Choose();
  first->form.mnuOptionItem[3].Choose();
  SaveSettings(*first);
  EXPECT_EQ(folder.Contents(kFile), untouched + "mnuOptionItem2=True\nmnuOptionItem3=True\n");

  const auto second = host.Start();
  EXPECT_TRUE(second->form.mnuOptionItem[2].Checked());
  EXPECT_TRUE(second->form.mnuOptionItem[3].Checked());
  // Turned off again, the choice must stick rather than fall back to a stale "True".
  second->form.mnuOptionItem[2].Choose();
  SaveSettings(*second);
  const auto third = host.Start();
  EXPECT_FALSE(third->form.mnuOptionItem[2].Checked());
  EXPECT_TRUE(third->form.mnuOptionItem[3].Checked());
}

TEST(LaterOptions, AreLockedDuringARunLikeTheOtherOptions) {
  SettingsTestHost host;
  const auto program = host.Start();
  LockWindowForRun(*program);
  EXPECT_FALSE(program->form.mnuOptionItem[2].Enabled());
  EXPECT_FALSE(program->form.mnuOptionItem[3].Enabled());
  program->form.mnuOptionItem[2].Choose();
  EXPECT_FALSE(program->form.mnuOptionItem[2].Checked());
  UnlockWindowAfterRun(*program);
  EXPECT_TRUE(program->form.mnuOptionItem[2].Enabled());
  EXPECT_TRUE(program->form.mnuOptionItem[3].Enabled());
}

}  // namespace
}  // namespace zb
