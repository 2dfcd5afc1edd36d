// zorbelle: the desktop window.
#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "app/about_window.h"
#include "app/app_icon.h"
#include "app/main_window.h"
#include "app/qt_stop_signals.h"
#include "app/window_grab.h"
#include "platform/posix/posix_platform.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_system.h"
#include "window/form_lifecycle.h"
#include "window/program.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Zorbelle");
  QGuiApplication::setDesktopFileName("zorbelle");
  zb::InstallApplicationIcon();
  QCommandLineParser options;
  options.setApplicationDescription("Gathers every picture under a folder into HTML pages.");
  options.addHelpOption();
  const QCommandLineOption grab("grab", "Render the window into FILE (PNG) and quit.", "FILE");
  const QCommandLineOption tab("tab", "With --grab: show the option tab N (0 to 2).", "N", "0");
  options.addOptions({grab, tab});
  options.process(app);

  // The window speaks Japanese, and so do Qt's own buttons and dialogs.
  QTranslator qtTexts;
  if (qtTexts.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  zb::PosixPlatform host;
  zb::QtDialogs dialogs(
      [&host](const std::string& hostPath) { return host.paths().ToDrive(hostPath); },
      [&host](const std::string& drivePath) { return host.paths().Resolve(drivePath); });
  zb::Platform posix = host.With(dialogs);
  zb::QtSystem system(posix.system);
  zb::Platform platform = posix.With(system);
  zb::Program program(platform);

  zb::MainWindow window(program, [&host](const std::string& hostPath) {
    return host.paths().ToDrive(hostPath).value_or(hostPath);
  });
  dialogs.SetParent(&window);
  program.ShowAboutDialog = [&window, &platform] { zb::ShowAboutWindow(&window, platform); };
  window.MeasureForCentring();
  zb::QtStopSignals stopSignals(program, [&window] { window.close(); });
  zb::Form_Load(program);

  if (options.isSet(grab)) {
    program.form.SSTab1.SetTab(options.value(tab).toInt());
    window.show();
    if (!zb::GrabWindow(window, options.value(grab))) {
      std::fprintf(stderr, "zorbelle: cannot write %s\n", qPrintable(options.value(grab)));
      return 1;
    }
    return 0;
  }
  window.show();
  return QApplication::exec();
}
