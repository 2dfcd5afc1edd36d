#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_shell.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/testing/test_folder.h"
#include "testing/shift_jis_for_test.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {

// For tests: whole runs of the window's model on the real disk, its message
// boxes answered from a script.

inline std::string Gif(int side) {
  return std::string("GIF89a") + char(side) + '\0' + char(side) + '\0' + std::string(20, '\0');
}

// A program on the POSIX host services with drive C: on a fresh folder,
// searching C:\pics and writing the pages, the list of every file and the
// deletion prompts into the default folder C:\_Zorbelle.
// readAhead: threads reading ahead of the walk, which must see what it sees;
// output: how output files are written.
struct DiskRun {
  explicit DiskRun(int readAhead = 0, OutputCalls output = {})
      : readAhead(readAhead), output(output) {
    folder.MakeFolder("pics");
    Form_Load(program);
    Form_Activate(program);
    MainForm& f = program.form;
    f.chkSameDir.SetValue(0);
    f.chkAllFileList.SetValue(1);
    f.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  }

  // Runs at every yield of the walk: once per folder and once per file.
  void OnYield(std::function<void()> hook) { host.system().SetYieldHook(std::move(hook)); }
  void Start(const std::string& searchFolder = "C:\\pics") {
    // Folders stamped in the clock's current tick are not read ahead.
    if (readAhead > 0) std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(MoveFolderList(program, searchFolder));
    program.form.cmdStart.Press();
  }
  // A file of the output folder, line by line, as UTF-8.
  std::vector<std::string> Output(const std::string& name,
                                  const std::string& outputFolder = "_Zorbelle/") const {
    const std::string text = Utf8FromShiftJis(folder.Contents(outputFolder + name));
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }
  std::vector<std::string> Reports() const {
    std::vector<std::string> texts;
    for (const MessageBox& box : dialogs.shown) {
      if (box.buttons == Buttons::kOk) texts.push_back(box.text);
    }
    return texts;
  }

  int readAhead;
  OutputCalls output;
  TestFolder folder;
  PosixPlatform host{folder.Drives(), folder.Host("config"), "", ThumbnailerProgram(), readAhead,
                     output};
  FakeDialogs dialogs;
  FakeShell shell;
  Platform platform = host.With(dialogs).With(shell);
  Program program{platform};
};

}  // namespace zb
