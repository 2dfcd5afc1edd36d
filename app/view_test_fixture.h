#pragma once

#include <QTest>
#include <string>

#include "app/main_window.h"
#include "platform/fake/fake_crash_marker_store.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_settings_store.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_system.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/testing/test_folder.h"
#include "platform/qt/qt_system.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"

namespace zb {

// A shown main window over a temporary folder as drive C:, with scripted
// message boxes and Qt's own clipboard and event loop.
template <typename HostSystem = FakeSystem>
struct ViewFixture {
  ViewFixture() {
    window.MeasureForCentring();
    Form_Load(program);
    window.show();
    window.activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(&window));
  }

  template <typename W = QWidget>
  W* Widget(const Control& control) const {
    return qobject_cast<W*>(window.WidgetOf(control));
  }
  // Moves the lists to a folder made under drive C:.
  void OpenFolder(const std::string& relative) {
    folder.MakeFolder(relative);
    MoveFolderList(program, "C:\\" + relative);
  }

  TestFolder folder;
  PosixPlatform host{folder.Drives(), folder.Host(".config"), ""};
  FakeDialogs dialogs;
  FakeShell shell;
  FakeSettingsStore settings;
  FakeCrashMarkerStore crashMarker{settings};
  Platform posix = host.With(dialogs);
  HostSystem fakeSystem{posix.files};
  QtSystem system{fakeSystem};
  Platform platform = posix.With(settings).With(shell).With(system).With(crashMarker);
  Program program{platform};
  MainForm& form = program.form;
  MainWindow window{program, [this](const std::string& hostPath) {
                      return host.paths().ToDrive(hostPath).value_or(hostPath);
                    }};
};

}  // namespace zb
