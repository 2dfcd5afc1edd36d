#pragma once

#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {

// A started program on fake host services, searching a folder of the fake
// file system, with every option at its first-start value.
struct FakeProgram {
  explicit FakeProgram(const std::string& searchFolder = "C:\\pics") {
    files.AddFolder(searchFolder);
    Form_Load(program);
    Form_Activate(program);
    MoveFolderList(program, searchFolder);
  }

  void Start() { program.form.cmdStart.Press(); }
  // The message boxes shown so far, by text.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const MessageBox& box : host.dialogs.shown) texts.push_back(box.text);
    return texts;
  }
  // The picture lines of a page, one per placed picture.
  std::vector<std::string> PictureLines(const std::string& page) const {
    std::vector<std::string> lines;
    for (const std::string& line : files.Lines(page)) {
      if (line.find("<img") != std::string::npos) lines.push_back(line);
    }
    return lines;
  }

  FakePlatform host;
  FakeFileSystem& files = host.files;
  Program program{host.platform};
  MainForm& form = program.form;
  RunContext& run = program.session.run;
};

}  // namespace zb
