#include "cli/terminal_dialogs.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

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

bool Readable(int fd) {
  pollfd one{fd, POLLIN, 0};
  return fd >= 0 && poll(&one, 1, 0) > 0;
}

}  // namespace

Answer TerminalDialogs::Show(const MessageBox& box) {
  std::fprintf(s_.out, "\n%s%s%s\n", ForTerminal(box.title).c_str(), box.title.empty() ? "" : ": ",
               ForTerminal(box.text).c_str());
  if (box.buttons == Buttons::kOk) return Answer::kOk;
  const Answer answer = Ask(box);
  std::fprintf(s_.out, "-> %s\n", answer == Positive(box.buttons) ? "yes" : "no");
  return answer;
}

bool TerminalDialogs::StopSignalled() const { return Readable(s_.wakeFd); }

Answer TerminalDialogs::Ask(const MessageBox& box) {
  // Deleting a file on the strength of the marker takes a person's Yes or
  // the option that names exactly that deletion, never a blanket Yes.
  const bool crashQuestion = IsCrashedPictureQuestion(box);
  if (crashQuestion ? s_.deleteCrashPicture : s_.yesToAll) return Positive(box.buttons);
  if (!s_.interactive || StopSignalled()) return box.defaultButton;
  const bool yesIsDefault = box.defaultButton == Positive(box.buttons);
  for (;;) {
    std::fprintf(s_.out, "%s ", yesIsDefault ? "[Y/n]" : "[y/N]");
    std::fflush(s_.out);
    const std::optional<std::string> line = ReadLine();
    if (!line) {
      std::fputc('\n', s_.out);
      return box.defaultButton;
    }
    const std::string answer = ToLowerAscii(Trimmed(*line));
    if (answer.empty()) return box.defaultButton;
    if (answer == "y" || answer == "yes") return Positive(box.buttons);
    if (answer == "n" || answer == "no") return Negative(box.buttons);
  }
}

std::optional<std::string> TerminalDialogs::ReadLine() {
  std::string line;
  bool tooLong = false;
  for (;;) {
    pollfd waits[2] = {{s_.in, POLLIN, 0}, {s_.wakeFd, POLLIN, 0}};
    if (poll(waits, s_.wakeFd >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (waits[1].revents != 0) return std::nullopt;
    // A byte at a time: what follows the line end is the next answer's.
    char c;
    const ssize_t n = read(s_.in, &c, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return std::nullopt;
    if (c == '\n') break;
    if (line.size() < kLongestAnswer) {
      line += c;
    } else {
      tooLong = true;
    }
  }
  // An overlong line is no answer: ask again.
  return tooLong ? "?" : line;
}

std::optional<std::string> TerminalDialogs::OpenFile(const OpenFileRequest&) {
  return std::nullopt;
}

}  // namespace zb
