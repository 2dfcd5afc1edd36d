#include "window/run_start.h"

#include "run/run_driver.h"
#include "window/focus.h"
#include "window/form_lifecycle.h"
#include "window/program.h"

namespace zb {

void StartRunFromWindow(Program& program) {
  if (!program.run.Active) SettleFocusedField(program);
  cmdStart_Click(program);
  if (program.closeAfterRun && !program.run.Active) Form_Unload(program);
}

}  // namespace zb
