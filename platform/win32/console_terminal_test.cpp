#include "platform/win32/console_terminal.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace zb {
namespace {

struct Pipe {
  Pipe() {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    EXPECT_TRUE(CreatePipe(&read, &write, nullptr, 1 << 16));
    in.reset(read);
    out.reset(write);
  }
  std::string Drain() {
    out.reset();
    std::string text;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(in.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
      text.append(buffer, read);
    }
    return text;
  }
  UniqueHandle in;
  UniqueHandle out;
};

TEST(ConsoleTerminalTest, PipesTakeAndGiveUtf8BytesAndAnswerNoQuestions) {
  Pipe input, output, errors;
  UniqueHandle wake(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ConsoleTerminal terminal(input.in.get(), output.out.get(), errors.out.get(), wake.get());
  EXPECT_FALSE(terminal.Answerable());
  EXPECT_FALSE(terminal.Shows(Terminal::Stream::kOutput));
  terminal.Write(Terminal::Stream::kOutput, "C:\\\xE5\x86\x99\xE7\x9C\x9F\\_gazlist.htm\n");
  terminal.Write(Terminal::Stream::kError, "done\n");
  EXPECT_EQ(output.Drain(), "C:\\\xE5\x86\x99\xE7\x9C\x9F\\_gazlist.htm\n");
  EXPECT_EQ(errors.Drain(), "done\n");

  const std::string typed = "yes\n  no \r\n" + std::string(40, 'x') + "\nnext\nunended";
  DWORD written = 0;
  WriteFile(input.out.get(), typed.data(), static_cast<DWORD>(typed.size()), &written, nullptr);
  input.out.reset();
  EXPECT_EQ(terminal.ReadLine(17), "yes");
  EXPECT_EQ(terminal.ReadLine(17), "  no \r");
  EXPECT_EQ(terminal.ReadLine(17), std::string(17, 'x'));
  EXPECT_EQ(terminal.ReadLine(17), "next");  // what followed the long line's end
  EXPECT_EQ(terminal.ReadLine(17), std::nullopt);
}

TEST(ConsoleTerminalTest, AStopRequestEndsTheWaitForAnAnswer) {
  Pipe input, output;
  UniqueHandle wake(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ConsoleTerminal terminal(input.in.get(), output.out.get(), output.out.get(), wake.get());
  EXPECT_FALSE(terminal.StopSignalled());
  SetEvent(wake.get());
  EXPECT_TRUE(terminal.StopSignalled());
  DWORD written = 0;
  WriteFile(input.out.get(), "yes\n", 4, &written, nullptr);
  EXPECT_EQ(terminal.ReadLine(17), std::nullopt);
}

}  // namespace
}  // namespace zb
