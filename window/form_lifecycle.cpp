#include "window/form_lifecycle.h"

#include <cmath>
#include <string>

#include "about/home_page.h"
#include "run/run_lockout.h"
#include "scan/run_stop.h"
#include "settings/crash_marker.h"
#include "settings/restore_settings.h"
#include "settings/save_settings.h"
#include "window/option_menu.h"
#include "window/path_fields.h"
#include "window/program.h"
#include "window/restore_paths.h"

namespace zb {
namespace {

std::string VersionText(const Version& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

void FillCombo(ComboBox& combo, int last, const char* selected) {
  combo.Clear();
  for (int i = 1; i <= last; ++i) combo.AddItem(std::to_string(i));
  combo.SetText(selected);
}

}  // namespace

std::string WindowTitle(const Version& v) {
  return "★Zorbelle♪　ＨＤＤ【全】画像HTML作成 V. " + VersionText(v);
}

std::string FooterHtml(const Version& v) {
  return std::string("<center><font size=2>★Zorbelle♪ V") + VersionText(v) + "　<a href=\"" +
         kHomePage + "\">" + kHomePage + "</a> </font></center>";
}

WindowPosition CenterForm(double screenWidth, double screenHeight, double width, double height) {
  return {static_cast<int>(std::nearbyint(screenWidth - width)) / 2,
          static_cast<int>(std::nearbyint(screenHeight - height)) / 2};
}

void Form_Load(Program& program) {
  MainForm& f = program.form;
  OpenFolderLists(program);
  const Bounds window = f.Window.Bounds();
  const WindowPosition centre =
      CenterForm(program.screen.width, program.screen.height, window.width, window.height);
  f.Window.Move(centre.left, centre.top, window.width, window.height);
  FillCombo(f.cmbGazoSuu, 30, "3");
  FillCombo(f.cmbFontSize, 7, "1");
  program.focusRing = {&f.txtOLESakusei, &f.txtOLEKensaku};
  program.activatedOnce = false;
  RestoreSettings(f, program.platform);
  CheckCrashMarker(program.platform);
  ReportIfSettingsCannotBeSaved(program.platform);
  f.cmdStart.SetEnabled(true);
  f.cmdStop.SetEnabled(false);
  f.cmdView.SetEnabled(true);
  program.session.run.ListPath.clear();
  const Version version = program.platform.system.ProgramVersion();
  f.Window.SetCaption(WindowTitle(version));
  program.session.run.FooterHtml = FooterHtml(version);
  f.lblVersion.SetCaption("Ver " + VersionText(version));
  PointGuideArrowAt(f, 0);
  PaintBackground(program, f.mnuOptionItem[kOptionWhiteBackground].Checked());
}

void Form_Activate(Program& program) {
  MainForm& f = program.form;
  f.chkSpeed.SetValue(1);
  f.txtOLEKensaku.SetText(f.Dir1.Path());
  if (program.activatedOnce) return;
  program.activatedOnce = true;
  RestorePaths(program);
}

bool Form_QueryUnload(Program& program) {
  if (!program.session.run.Active) return true;
  program.closeAfterRun = true;
  ConfirmStop(program.session);
  return false;
}

void Form_Unload(Program& program) {
  SaveSettings(program.form, program.platform);
  program.platform.system.EndProgram(0);
}

}  // namespace zb
