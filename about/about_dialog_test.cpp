#include "about/about_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "about/help_text.h"
#include "about/home_page.h"
#include "platform/fake/fake_platform.h"
#include "window/form_lifecycle.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class SystemAtVersion : public FakeSystem {
 public:
  using FakeSystem::FakeSystem;
  Version ProgramVersion() override { return version; }
  Version version{4, 2, 1};
};

class AboutDialogTest : public testing::Test {
 protected:
  void SetMsInfoPath(const std::string& value) {
    system_.registry[{kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] = value;
  }
  void SetMsInfoFolder(const std::string& value) {
    system_.registry[{kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"}] =
        value;
  }
  // The messages shown after pressing the system-information button.
  std::vector<std::string> PressSysInfo() {
    about_.form.cmdSysInfo.Press();
    std::vector<std::string> texts;
    for (const MessageBox& box : host_.dialogs.shown) texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  FakePlatform host_;
  SystemAtVersion system_{host_.files};
  Platform platform_ = host_.platform.With(system_);
  int unloads_ = 0;
  AboutDialog about_{platform_, [this] { ++unloads_; }};
};

TEST_F(AboutDialogTest, ShowsAllThreeVersionNumbersAndItsButtonsAct) {
  Form_Load(about_);
  EXPECT_EQ(about_.form.lblVersion.Caption(), "ﾊﾞｰｼﾞｮﾝ 4.2.1");
  system_.version = {4, 2, 0};
  Form_Load(about_);
  EXPECT_EQ(about_.form.lblVersion.Caption(), "ﾊﾞｰｼﾞｮﾝ 4.2.0");  // even a zero

  about_.form.Command1.Press();
  EXPECT_THAT(host_.shell.opened, ElementsAre(FakeShell::Opened{"open", kHomePage, ""}));
  EXPECT_EQ(unloads_, 0);
  about_.form.cmdOK.Press();
  EXPECT_EQ(unloads_, 1);
}

TEST_F(AboutDialogTest, HelpTextHasItsFrameContentsAndSectionsInOrder) {
  const std::string text = about_.form.Text1.Text();
  EXPECT_EQ(text, HelpText());
  EXPECT_EQ(std::regex_search(text, std::regex("[^\r]\n")), false);  // CR LF throughout
  const std::regex frame("^(★♪)+\r\n.*Zorbelle.*\r\n(★♪)+\r\n");
  EXPECT_TRUE(std::regex_search(text, frame));
  // Each contents entry heads a section, in the same order.
  const std::regex entry("\r\n(?:　)?([^\r]+．[^\r]+)");
  std::size_t sections = 0, after = text.find("\r\n■");
  for (auto it = std::sregex_iterator(text.begin(), text.begin() + after, entry);
       it != std::sregex_iterator(); ++it, ++sections) {
    const std::size_t heading = text.find("\r\n■" + (*it)[1].str() + "\r\n", after);
    ASSERT_NE(heading, std::string::npos) << (*it)[1];
    after = heading + 1;
  }
  EXPECT_EQ(sections, 12u);
}

// The registered program is started without looking for it; the folder key
// counts only when it holds MSINFO32.EXE.
TEST_F(AboutDialogTest, StartsTheRegisteredProgramOrTheOneInTheFolderKey) {
  SetMsInfoFolder("C:\\msinfo");
  EXPECT_THAT(PressSysInfo(), ElementsAre("Zorbelle: 現時点ではｼｽﾃﾑ情報を使用できません"));
  host_.files.AddFile("C:\\msinfo\\MSINFO32.EXE");
  host_.dialogs.shown.clear();
  EXPECT_THAT(PressSysInfo(), IsEmpty());
  SetMsInfoPath("C:\\bin\\sysinfo");
  EXPECT_THAT(PressSysInfo(), IsEmpty());
  EXPECT_THAT(system_.startedPrograms, ElementsAre("C:\\msinfo\\MSINFO32.EXE", "C:\\bin\\sysinfo"));
}

TEST_F(AboutDialogTest, NothingToStartOrAFailedStartIsReported) {
  EXPECT_THAT(PressSysInfo(), ElementsAre("Zorbelle: 現時点ではｼｽﾃﾑ情報を使用できません"));
  EXPECT_THAT(system_.startedPrograms, IsEmpty());
  SetMsInfoPath("C:\\bin\\sysinfo");
  system_.programsStart = false;
  EXPECT_EQ(PressSysInfo().size(), 2u);
}

TEST(GetKeyValue, ReadsUpToTheFirstNulAndOnlyWhatFitsTheBuffer) {
  FakePlatform host;
  const auto read = [&host](const std::string& stored) {
    host.system.registry[{kLocalMachine, "K", "V"}] = stored;
    std::string value = "old";
    const bool found = GetKeyValue(host.system, kLocalMachine, "K", "V", value);
    return std::pair{found, value};
  };
  EXPECT_EQ(read(std::string("C:\\a\0junk", 9)), std::pair(true, std::string("C:\\a")));
  EXPECT_EQ(read(std::string(1023, 'x')), std::pair(true, std::string(1023, 'x')));
  EXPECT_EQ(read(std::string(1024, 'x')), std::pair(false, std::string()));
  std::string value = "old";
  EXPECT_FALSE(GetKeyValue(host.system, kLocalMachine, "K", "missing", value));
  EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace zb
