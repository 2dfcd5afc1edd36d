#include <gtest/gtest.h>

#include "platform/posix/ini_settings_store.h"
#include "platform/posix/testing/test_folder.h"
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
  SaveSettings(first->form, first->platform);
  const std::string untouched = folder.Contents(kFile);
  EXPECT_EQ(untouched.find("mnuOptionItem2"), std::string::npos);

  first->form.mnuOptionItem[kOptionThumbnails].Choose();
  first->form.mnuOptionItem[kOptionMoreFormats].Choose();
  SaveSettings(first->form, first->platform);
  EXPECT_EQ(folder.Contents(kFile), untouched + "mnuOptionItem2=True\nmnuOptionItem3=True\n");

  const auto second = host.Start();
  EXPECT_TRUE(second->form.mnuOptionItem[kOptionThumbnails].Checked());
  EXPECT_TRUE(second->form.mnuOptionItem[kOptionMoreFormats].Checked());
  // Turned off again, the choice must stick rather than fall back to a stale "True".
  second->form.mnuOptionItem[kOptionThumbnails].Choose();
  SaveSettings(second->form, second->platform);
  const auto third = host.Start();
  EXPECT_FALSE(third->form.mnuOptionItem[kOptionThumbnails].Checked());
  EXPECT_TRUE(third->form.mnuOptionItem[kOptionMoreFormats].Checked());
}

}  // namespace
}  // namespace zb
