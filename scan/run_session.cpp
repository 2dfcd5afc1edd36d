#include "scan/run_session.h"

namespace zb {

RunSession::RunSession(Platform& host, MainForm& shownOn)
    : platform(host), form(shownOn), gallery(host.files, host.encoding) {
  // The scroll bar's design value holds until its first change.
  run.ImagesPerPage = form.hscGazoSuu.Value();
}

}  // namespace zb
