#include "cli/terminal_dialogs.h"

#include <string>

namespace zb {
namespace {

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

Answer Positive(Buttons b) { return b == Buttons::kYesNo ? Answer::kYes : Answer::kOk; }
Answer Negative(Buttons b) { return b == Buttons::kYesNo ? Answer::kNo : Answer::kCancel; }

}  // namespace

TerminalDialogs::TerminalDialogs(std::FILE* in, std::FILE* out, bool interactive, bool yesToAll)
    : in_(in), out_(out), interactive_(interactive), yesToAll_(yesToAll) {}

Answer TerminalDialogs::Show(const MessageBox& box) {
  std::fprintf(out_, "\n%s%s%s\n", box.title.c_str(), box.title.empty() ? "" : ": ",
               WithoutCarriageReturns(box.text).c_str());
  if (box.buttons == Buttons::kOk) return Answer::kOk;
  const Answer answer = Ask(box);
  std::fprintf(out_, "-> %s\n", answer == Positive(box.buttons) ? "yes" : "no");
  return answer;
}

Answer TerminalDialogs::Ask(const MessageBox& box) {
  if (answerNextYes_ || yesToAll_) {
    answerNextYes_ = false;
    return Positive(box.buttons);
  }
  if (!interactive_) return box.defaultButton;
  const bool yesIsDefault = box.defaultButton == Positive(box.buttons);
  for (;;) {
    std::fprintf(out_, "%s ", yesIsDefault ? "[Y/n]" : "[y/N]");
    std::fflush(out_);
    char line[64];
    if (!std::fgets(line, sizeof line, in_)) return box.defaultButton;
    const char c = line[0];
    if (c == '\n') return box.defaultButton;
    if (c == 'y' || c == 'Y') return Positive(box.buttons);
    if (c == 'n' || c == 'N') return Negative(box.buttons);
  }
}

std::optional<std::string> TerminalDialogs::OpenFile(const OpenFileRequest&) {
  return std::nullopt;
}

}  // namespace zb
