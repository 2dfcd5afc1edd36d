#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_process_for_test.h"
#include "platform/posix/testing/test_folder.h"
#include "platform/version.h"
#include "testing/shift_jis_for_test.h"

namespace zb {
namespace {

std::string ShiftJisLines(const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += ShiftJisFromUtf8(line) + "\r\n";
  return bytes;
}

using testing::HasSubstr;

std::string Footer() {
  return "<center><font size=2>★Zorbelle♪ V" + std::to_string(ZORBELLE_VERSION_MAJOR) + "." +
         std::to_string(ZORBELLE_VERSION_MINOR) + "." + std::to_string(ZORBELLE_VERSION_REVISION) +
         "　<a href=\"https://zorbelle.invalid/\">https://zorbelle.invalid/</a> </font></center>";
}

std::vector<std::string> NavigationBar(const std::string& previous, const std::string& middle,
                                       const std::string& next) {
  return {
      R"(<p><TABLE border="1" cellpadding="1" cellspacing="0" WIDTH="100%" align="center"><TR>)",
      previous, middle, next, "</TR></TABLE><center>"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

constexpr const char* kPageHead =
    R"(<html><head><title>★Zorbelle♪：画像一覧</title></head><body  BGCOLOR="white" >)";

// Each folder holds one picture and one sub-folder, so the walk order does
// not depend on the order in which the host lists a folder.
class CliRun : public testing::Test {
 protected:
  CliRun() {
    folder_.Put("pics/s/a.gif", Gif(640, 480));
    folder_.Put("pics/s/t/b.gif", Gif(80, 60));
    folder_.Put("pics/s/t/u/c&d.gif", "GIF");
  }
  ProcessResult Run(std::vector<std::string> args) {
    args.push_back(folder_.Host("pics"));
    return RunCli(args, CliEnvironment(folder_));
  }
  TestFolder folder_;
};

TEST_F(CliRun, WritesPagePairsListPageAndAllFilesInShiftJisWithCrLf) {
  const ProcessResult r = Run({"--same-folder", "--relative", "--all-files", "--per-page", "2",
                               "--line-break", "--open-in", "new"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, folder_.Host("pics/_gazlist.htm") + "\n");
  EXPECT_THAT(r.err, HasSubstr("3個の画像ファイルをリストに登録しました"));

  const std::string normalNav[] = {
      R"(<td width="30%" align="center">前のリスト</td>)",
      R"(<td width="30%" align="center"><a href="_gazlist.htm">リスト</a>　<a href="_gaz0000.html">縮小</a></TD>)",
      R"(<td width="30%" align="right"><a href="_gaz0001.htm"><font size=+1>次のリスト</font>_gaz0001.htm</a></td>)"};
  const auto top = NavigationBar(normalNav[0], normalNav[1], normalNav[2]);
  EXPECT_EQ(folder_.Contents("pics/_gaz0000.htm"),
            ShiftJisLines(Join(
                {{kPageHead},
                 top,
                 {R"(<a href="s/a.gif"  TARGET=_blank ><img src="s/a.gif" border=0></a><br>)",
                  R"(<a href="s/t/b.gif"  TARGET=_blank ><img src="s/t/b.gif" border=0></a><br>)",
                  "<p><font size=1>　" + Footer() + "</font>"},
                 top,
                 {"</body></html>"}})));
  EXPECT_EQ(
      folder_.Contents("pics/_gaz0001.html"),
      ShiftJisLines(Join(
          {{kPageHead},
           NavigationBar(
               R"(<td width="30%" align="center"><a href="_gaz0000.html">前のリスト_gaz0000.html</a></td>)",
               R"(<td width="30%" align="center"><a href="_gazlist.htm">リスト</a>　<a href="_gaz0001.htm">通常</a></TD>)",
               R"(<td width="30%" align="right"><a href="_gaz0002.html"><font size=+1>次のリスト</font>_gaz0002.html</a></td>)"),
           {R"(<a href="s/t/u/c&amp;d.gif"  TARGET=_blank ><img src="s/t/u/c&amp;d.gif" width= 100 height= 100 border=0></a><br>)"}})));
  EXPECT_EQ(
      folder_.Contents("pics/_gazlist.htm"),
      ShiftJisLines({
          R"(<html><head><title>★Zorbelle♪：画像リスト</title></head><body  BGCOLOR="white" ><center>)",
          Footer(),
          "<hr><h1>画像リスト</h1><font size=5><p>",
          "通常表示　　　縮小表示<br>",
          R"(<a href="_gaz0000.htm">_gaz0000.htm</a>　　<a href="_gaz0000.html">_gaz0000.html</a>　<br>)",
          R"(<a href="_gaz0001.htm">_gaz0001.htm</a>　　<a href="_gaz0001.html">_gaz0001.html</a>　<br>)",
          "<p></font><hr>",
          "今回はC:\\pics\\以下のディレクトリにある画像を検索しました｡<br>",
          "全部で  3個 の画像がありました。<br>",
          "１画面あたり  2 個のファイルを表示します｡<br>",
          "画像をクリックすると、<b>もう一のブラウザ</b>で本来の画像を表示します。<br>",
          "",
          "</center></body></html>",
      }));
  EXPECT_EQ(folder_.Contents("pics/allfile.txt"),
            ShiftJisLines({"allfile.txt", "s\\a.gif", "s\\t\\b.gif", "s\\t\\u\\c&d.gif"}));
}

TEST_F(CliRun, ExitCodesTellHowTheRunEnded) {
  const ProcessResult noOptions = Run({"--no-gallery", "--no-all-files"});
  EXPECT_EQ(noOptions.exitCode, 2);
  EXPECT_THAT(noOptions.err, HasSubstr("オプションが全くありません。"));
  EXPECT_EQ(noOptions.out, "");
  EXPECT_EQ(Run({"--open-in", "elsewhere"}).exitCode, 2);
}

TEST_F(CliRun, AnUnwritableOutputFolderShowsBothMessagesAndFails) {
  // Even root cannot create files in /proc: the default folder leads there.
  std::filesystem::create_directory_symlink("/proc/1", folder_.Host("_Zorbelle"));
  const ProcessResult r = Run({"--no-same-folder", "--all-files"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("ファイル関連のエラーが起こりました。"));
  EXPECT_EQ(r.out, "");
}

TEST_F(CliRun, AFileBlockingTheDefaultFolderIsDeletedOnlyAfterYes) {
  folder_.Put("_zorbelle", "in the way");
  const ProcessResult refused = Run({"--no-same-folder"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(folder_.Contents("_zorbelle"), "in the way");
  EXPECT_THAT(refused.err, HasSubstr("ファイルを消さないと、処理を続行できません"));
  // The saved list path below it names no folder: nothing to report at start.
  EXPECT_THAT(refused.err, testing::Not(HasSubstr("エラーだよ")));

  const ProcessResult accepted = Run({"--no-same-folder", "--yes"});
  EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Host("_Zorbelle")));
}

}  // namespace
}  // namespace zb
