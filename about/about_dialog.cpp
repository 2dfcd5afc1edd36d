#include "about/about_dialog.h"

#include "about/home_page.h"
#include "text/text_util.h"

namespace zb {
namespace {

// The buffer the value is read into holds this many characters, its NUL
// included.
constexpr std::size_t kKeyValueBuffer = 1024;

// The program to start, or empty when none is registered.
std::string SysInfoProgram(System& system) {
  std::string path;
  if (GetKeyValue(system, kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                  path)) {
    return path;
  }
  if (GetKeyValue(system, kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                  path) &&
      system.FileExists(path + "\\MSINFO32.EXE")) {
    return path + "\\MSINFO32.EXE";
  }
  return {};
}

}  // namespace

AboutDialog::AboutDialog(Platform& host, std::function<void()> onUnload)
    : platform(host), unload(std::move(onUnload)) {
  form.cmdOK.Click = [this] { unload(); };
  form.cmdSysInfo.Click = [this] { StartSysInfo(*this); };
  form.Command1.Click = [this] { OpenHomePage(platform.shell); };
}

std::string DottedVersion(const Version& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

void Form_Load(AboutDialog& about) {
  System& system = about.platform.system;
  about.form.Window.SetCaption(system.ProgramTitle() + "のﾊﾞｰｼﾞｮﾝ情報");
  about.form.lblVersion.SetCaption("ﾊﾞｰｼﾞｮﾝ " + DottedVersion(system.ProgramVersion()));
}

void StartSysInfo(AboutDialog& about) {
  System& system = about.platform.system;
  const std::string program = SysInfoProgram(system);
  if (!program.empty() && system.StartProgram(program)) return;
  about.platform.dialogs.Show({"現時点ではｼｽﾃﾑ情報を使用できません", system.ProgramTitle(),
                               Buttons::kOk, Icon::kNone, Answer::kOk});
}

bool GetKeyValue(System& system, const std::string& keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
  keyVal.clear();
  const std::optional<std::string> value = system.ReadRegistryString(keyRoot, keyName, subKeyRef);
  if (!value || value->size() >= kKeyValueBuffer) return false;
  keyVal = TrimAtNul(*value);
  return true;
}

}  // namespace zb
