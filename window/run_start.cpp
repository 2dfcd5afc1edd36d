#include "window/run_start.h"

#include "run/run_driver.h"
#include "window/focus.h"
#include "window/form_lifecycle.h"
#include "window/program.h"

namespace zb {

void cmdStart_Click(Program& program) {
  if (!program.session.run.Active) SettleFocusedField(program);
  StartRun(program.session);
  if (program.closeAfterRun && !program.session.run.Active) Form_Unload(program);
}

}  // namespace zb
