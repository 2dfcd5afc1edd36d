#include "cli/cli_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "form/form_options.h"
#include "settings/option_values.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

// Parses the arguments as the program does; false when they are refused.
bool Parse(std::vector<std::string> args, CliOptions& options) {
  CLI::App app;
  AddCliOptions(app, options);
  args.insert(args.begin(), "C:\\pics");
  std::reverse(args.begin(), args.end());  // CLI11 takes them last first
  try {
    app.parse(args);
  } catch (const CLI::ParseError&) {
    return false;
  }
  return true;
}

struct NumberOption {
  const char* name;
  int largest;
  const char* described;  // as DescribeOptions shows the largest
};

// One past the largest is refused, not quietly cut down by the control.
TEST(CliOptions, TheLargestValueOfEachNumberIsTakenAndTheNextRefused) {
  for (const NumberOption& option : {NumberOption{"--per-page", 1000, "--per-page 1000 "},
                                     NumberOption{"--thumbnail", 1000, "--thumbnail 1000 "},
                                     NumberOption{"--per-row", 30, "--per-row 30 "}}) {
    CliOptions taken;
    ASSERT_TRUE(Parse({option.name, std::to_string(option.largest)}, taken)) << option.name;
    FakeProgram f;
    ApplyCliOptions(taken, f.form);
    EXPECT_THAT(DescribeOptions(f.form), testing::HasSubstr(option.described));
    CliOptions refused;
    EXPECT_FALSE(Parse({option.name, std::to_string(option.largest + 1)}, refused)) << option.name;
    EXPECT_FALSE(Parse({option.name, "4294967296"}, refused)) << option.name;
  }
}

// The command line takes a number as far as its control does, and no further.
TEST(CliOptions, EachNumberSpansItsControlsRange) {
  FakeProgram f;
  for (const FormOption& option : FormOptions()) {
    if (!option.IsNumber()) continue;
    if (auto* bar = std::get_if<ScrollBar MainForm::*>(&option.control)) {
      EXPECT_EQ(option.min, (f.form.*(*bar)).Min()) << option.key;
      EXPECT_EQ(option.max, (f.form.*(*bar)).Max()) << option.key;
    } else {
      const auto& items = (f.form.*std::get<ComboBox MainForm::*>(option.control)).Items();
      ASSERT_FALSE(items.empty()) << option.key;
      EXPECT_EQ(std::to_string(option.min), items.front()) << option.key;
      EXPECT_EQ(std::to_string(option.max), items.back()) << option.key;
    }
  }
}

// Sets every option with a flag away from where a new window has it.
void TurnEveryOptionAway(MainForm& f) {
  f.chkTable1.SetValue(1);
  for (const FormOption* option : FormOptionsInSettingOrder()) {
    if (!option->flag) continue;
    std::string value = StoredText(*option, f);
    if (option->IsNumber()) {
      value = std::to_string(option->max);
    } else if (std::holds_alternative<OpenInButtons>(option->control)) {
      value = "2";
    } else if (std::holds_alternative<ComboBox MainForm::*>(option->control)) {
      value = "+2";
    } else if (value == "0" || value == "1") {
      value = value == "0" ? "1" : "0";
    } else {
      value = value == "True" ? "False" : "True";
    }
    SetFromStoredText(*option, f, value);
  }
}

// The form's options, given on the command line, set a second window's controls alike.
void ExpectCommandLineRoundTrip(const MainForm& f, bool fromAway) {
  std::vector<std::string> args;
  std::istringstream words(DescribeOptions(f));
  for (std::string word; words >> word;) {
    if (word.front() == '\'') word = word.substr(1, word.size() - 2);
    args.push_back(word);
  }
  CliOptions options;
  ASSERT_TRUE(Parse(args, options)) << DescribeOptions(f);
  FakeProgram second;
  if (fromAway) TurnEveryOptionAway(second.form);
  ApplyCliOptions(options, second.form);
  for (const FormOption& option : FormOptions()) {
    if (!option.flag) continue;
    EXPECT_EQ(StoredText(option, second.form), StoredText(option, f)) << option.key;
  }
}

// Then the interlock of "same folder" with relative links, reached from its other side.
TEST(CliOptions, DescribedOptionsSetEveryControlBack) {
  FakeProgram first;
  TurnEveryOptionAway(first.form);
  ExpectCommandLineRoundTrip(first.form, false);
  FakeProgram interlocked;
  interlocked.form.chkLelative.SetValue(0);
  ExpectCommandLineRoundTrip(interlocked.form, true);
}

}  // namespace
}  // namespace zb
