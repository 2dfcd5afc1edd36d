#pragma once

#include "platform/shell.h"

namespace zb {

// Opens documents and addresses with the program Windows associates.
class Win32Shell : public Shell {
 public:
  void Open(const std::string& verb, const std::string& document,
            const std::string& workingFolder) override;
};

}  // namespace zb
