#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace zb {

// Records what it is asked to open.
class FakeShell : public Shell {
 public:
  struct Opened {
    std::string verb;
    std::string document;
    std::string workingFolder;
    bool operator==(const Opened&) const = default;
  };

  void Open(const std::string& verb, const std::string& document,
            const std::string& workingFolder) override;

  std::vector<Opened> opened;
};

}  // namespace zb
