#include "settings/crash_marker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/settings_messages.h"
#include "settings/settings_test_host.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class CheckCrashMarkerTest : public testing::Test {
 protected:
  CheckCrashMarkerTest() {
    host_.fake.files.AddFile("C:\\pics\\bad.jpg");
    host_.fake.files.AddFile("C:\\pics\\good.jpg");
  }
  void Arm(const std::string& path) { ArmCrashMarker(host_.platform, path); }
  // Runs the check with this answer; returns the marker afterwards.
  std::string Check(Answer answer) {
    host_.fake.dialogs.answers.push_back(answer);
    CheckCrashMarker(program_->platform);
    return host_.fake.settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "absent");
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const MessageBox& box : host_.fake.dialogs.shown) texts.push_back(box.text);
    return texts;
  }

  SettingsTestHost host_;
  std::unique_ptr<Program> program_ = host_.Start();
};

TEST_F(CheckCrashMarkerTest, NoKeepsThePictureYesDeletesThatOneFileEitherCleansTheMarker) {
  host_.fake.dialogs.shown.clear();
  CheckCrashMarker(program_->platform);  // never written: nothing to ask
  EXPECT_THAT(host_.fake.dialogs.shown, IsEmpty());
  Arm("C:\\pics\\bad.jpg");
  EXPECT_EQ(Check(Answer::kNo), "");
  ASSERT_EQ(host_.fake.dialogs.shown.size(), 1u);
  const MessageBox& box = host_.fake.dialogs.shown[0];
  EXPECT_EQ(box.text,
            "前回の処理が異常終了しています。\r\nこのファイルに異常がある可能性があります。\r\n"
            "削除しますか。C:\\pics\\bad.jpg");
  EXPECT_EQ(box.title, "削除");
  EXPECT_EQ(box.buttons, Buttons::kYesNo);
  EXPECT_EQ(box.icon, Icon::kCritical);
  EXPECT_EQ(box.defaultButton, Answer::kNo);
  EXPECT_TRUE(host_.fake.files.Exists("C:\\pics\\bad.jpg"));
  EXPECT_THAT(host_.fake.files.Deleted(), IsEmpty());

  host_.fake.dialogs.shown.clear();
  EXPECT_EQ(Check(Answer::kYes), "");
  EXPECT_THAT(host_.fake.dialogs.shown, IsEmpty());  // offered once only
  Arm("");
  EXPECT_EQ(Check(Answer::kYes), "");
  EXPECT_THAT(host_.fake.dialogs.shown, IsEmpty());  // a clean marker asks nothing

  Arm("C:\\pics\\bad.jpg");
  EXPECT_EQ(Check(Answer::kYes), "");
  EXPECT_THAT(host_.fake.files.Deleted(), ElementsAre("C:\\pics\\bad.jpg"));
  EXPECT_TRUE(host_.fake.files.Exists("C:\\pics\\good.jpg"));
}

TEST_F(CheckCrashMarkerTest, AFileThatCannotBeDeletedIsReportedAndStartUpGoesOn) {
  for (const char* path : {"C:\\pics\\gone.jpg", "C:\\pics"}) {
    host_.fake.dialogs.shown.clear();
    Arm(path);
    EXPECT_EQ(Check(Answer::kYes), "") << path;
    EXPECT_THAT(Messages(), ElementsAre(CrashedPictureQuestion(path).text,
                                        CrashedPictureNotDeletedMessage(path).text));
  }
  EXPECT_TRUE(host_.fake.files.Exists("C:\\pics\\good.jpg"));
  EXPECT_THAT(host_.fake.files.Deleted(), IsEmpty());
}

}  // namespace
}  // namespace zb
