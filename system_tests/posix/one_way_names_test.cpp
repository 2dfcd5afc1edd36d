// Pictures named with characters that Shift_JIS maps one way only: every
// link of a real run on the real disk must lead to its own file, as a
// browser reads the page (Shift_JIS text, then the link's %-escapes).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "system_tests/posix/disk_run_for_test.h"

namespace zb {
namespace {

std::string Utf8(char32_t c) {
  return *Converted("UTF-8", "UTF-32LE", std::string(reinterpret_cast<const char*>(&c), 4));
}

// The characters the converter maps one way, each with what its code reads
// back as, found by asking the converter about every character it holds.
std::map<std::string, std::string> OneWayCharacters() {
  std::map<std::string, std::string> found;
  for (char32_t c = 0x80; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string utf8 = Utf8(c);
    const std::optional<std::string> code = Converted("CP932", "UTF-8", utf8);
    if (!code) continue;
    const std::string back = Converted("UTF-8", "CP932", *code).value_or("");
    if (back != utf8) found[utf8] = back;
  }
  return found;
}

std::string PercentDecoded(const std::string& link) {
  std::string out;
  for (std::size_t i = 0; i < link.size(); ++i) {
    if (link[i] == '%' && i + 2 < link.size()) {
      out += static_cast<char>(std::stoi(link.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += link[i];
    }
  }
  return out;
}

TEST(OneWayNames, EveryPictureIsLinkedToItselfAndToNoOtherFile) {
  const std::map<std::string, std::string> oneWay = OneWayCharacters();
  ASSERT_GE(oneWay.size(), 5u);

  DiskRun r;
  const TestFolder& folder = r.folder;
  std::set<std::string> pictures;
  for (const auto& [c, lookAlike] : oneWay) {
    pictures.insert(c + ".gif");
    // The character a browser would read: a different file, when a name can hold it.
    if (lookAlike.size() > 1) pictures.insert(lookAlike + ".gif");
  }
  for (const std::string& name : pictures) folder.Put("pics/" + name, Gif(8));

  r.program.form.chkSameDir.SetValue(1);
  r.program.form.chkLelative.SetValue(1);
  r.Start();
  ASSERT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);

  // The page as a browser reads it: Shift_JIS bytes to characters.
  const std::optional<std::string> page =
      Converted("UTF-8", "CP932", folder.Contents("pics/_gaz0000.htm"));
  ASSERT_TRUE(page);
  const std::regex href("<a href=\"([^\"]*)\"");
  std::multiset<std::string> reached;
  for (auto it = std::sregex_iterator(page->begin(), page->end(), href);
       it != std::sregex_iterator(); ++it) {
    const std::string link = PercentDecoded((*it)[1].str());
    if (link.ends_with(".gif")) {
      EXPECT_TRUE(std::filesystem::exists(folder.Host("pics/" + link))) << link;
      reached.insert(link);
    }
  }
  EXPECT_EQ(reached, std::multiset<std::string>(pictures.begin(), pictures.end()));

  // allfile.txt stays Shift_JIS: a one-way character reads back as its
  // look-alike, or "?" where that is ASCII.
  const std::string list =
      "\r\n" + Converted("UTF-8", "CP932", folder.Contents("pics/allfile.txt")).value();
  for (const auto& [c, lookAlike] : oneWay) {
    const std::string shown = lookAlike.size() > 1 ? lookAlike : "?";
    EXPECT_NE(list.find("\r\n" + shown + ".gif\r\n"), std::string::npos) << c;
  }
}

}  // namespace
}  // namespace zb
