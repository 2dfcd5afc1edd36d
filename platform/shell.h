#pragma once

#include <string>

namespace zb {

// Hands a document or address to the program associated with it.
class Shell {
 public:
  virtual ~Shell() = default;
  // verb is empty for the default action; the outcome is not reported.
  virtual void Open(const std::string& verb, const std::string& document,
                    const std::string& workingFolder) = 0;
};

}  // namespace zb
