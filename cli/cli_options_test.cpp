#include "cli/cli_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>
#include <vector>

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

// The largest value of each option reaches its control whole; one more is
// a usage error, not a value the control quietly cuts down.
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

}  // namespace
}  // namespace zb
