#include "cli/terminal_dialogs.h"

#include "cli/terminal_text.h"
#include "settings/settings_messages.h"
#include "text/letter_case.h"

namespace zb {
namespace {

// Longer answers are read to their line end but not kept.
constexpr std::size_t kLongestAnswer = 16;

Answer Positive(Buttons b) { return b == Buttons::kYesNo ? Answer::kYes : Answer::kOk; }
Answer Negative(Buttons b) { return b == Buttons::kYesNo ? Answer::kNo : Answer::kCancel; }

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

Answer TerminalDialogs::Show(const MessageBox& box) {
  Say("\n" + ForTerminal(box.title) + (box.title.empty() ? "" : ": ") + ForTerminal(box.text) +
      "\n");
  if (box.buttons == Buttons::kOk) return Answer::kOk;
  const Answer answer = Ask(box);
  Say(answer == Positive(box.buttons) ? "-> yes\n" : "-> no\n");
  return answer;
}

void TerminalDialogs::Say(std::string_view text) {
  s_.terminal.Write(Terminal::Stream::kError, text);
}

Answer TerminalDialogs::Ask(const MessageBox& box) {
  // Deleting a file on the strength of the marker takes a person's Yes or
  // the option that names exactly that deletion, never a blanket Yes.
  const bool crashQuestion = IsCrashedPictureQuestion(box);
  if (crashQuestion ? s_.deleteCrashPicture : s_.yesToAll) return Positive(box.buttons);
  if (!s_.interactive || s_.terminal.StopSignalled()) return box.defaultButton;
  const bool yesIsDefault = box.defaultButton == Positive(box.buttons);
  for (;;) {
    Say(yesIsDefault ? "[Y/n] " : "[y/N] ");
    const std::optional<std::string> line = ReadAnswer();
    if (!line) {
      Say("\n");
      return box.defaultButton;
    }
    const std::string answer = ToLowerAscii(Trimmed(*line));
    if (answer.empty()) return box.defaultButton;
    if (answer == "y" || answer == "yes") return Positive(box.buttons);
    if (answer == "n" || answer == "no") return Negative(box.buttons);
  }
}

std::optional<std::string> TerminalDialogs::ReadAnswer() {
  const std::optional<std::string> line = s_.terminal.ReadLine(kLongestAnswer + 1);
  // An overlong line is no answer: ask again.
  if (line && line->size() > kLongestAnswer) return "?";
  return line;
}

std::optional<std::string> TerminalDialogs::OpenFile(const OpenFileRequest&) {
  return std::nullopt;
}

}  // namespace zb
