#pragma once

#include <cstdio>

#include "platform/dialogs.h"

namespace zb {

// Message boxes on a terminal: the text goes to the error stream, questions
// are answered y/n on the terminal, or take the box's default button when
// there is no terminal to ask.
class TerminalDialogs : public Dialogs {
 public:
  TerminalDialogs(std::FILE* in, std::FILE* out, bool interactive, bool yesToAll);

  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

  // The next question is answered Yes without asking (a confirmed stop).
  void AnswerNextYes() { answerNextYes_ = true; }

 private:
  Answer Ask(const MessageBox& box);

  std::FILE* in_;
  std::FILE* out_;
  bool interactive_;
  bool yesToAll_;
  bool answerNextYes_ = false;
};

}  // namespace zb
