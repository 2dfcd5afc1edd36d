#pragma once

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace zb {

// Ctrl-C, Ctrl-Break and closing the console become a request to stop
// instead of ending the process where it stands: the run polls Requested()
// at its yields and ends in order (list page written, crash marker
// cleared). A closed console gives the process a few seconds only, so its
// handler holds the process until this object is gone, the run ended.
//
// One instance per process.
class ConsoleStop {
 public:
  ConsoleStop();
  ~ConsoleStop();
  ConsoleStop(const ConsoleStop&) = delete;
  ConsoleStop& operator=(const ConsoleStop&) = delete;

  bool Requested() const;
  // Signalled from the first request on.
  HANDLE WakeEvent() const { return requested_.get(); }

 private:
  UniqueHandle requested_;
  UniqueHandle ended_;
};

}  // namespace zb
