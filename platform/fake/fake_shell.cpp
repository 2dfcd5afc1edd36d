#include "platform/fake/fake_shell.h"

namespace zb {

void FakeShell::Open(const std::string& verb, const std::string& document,
                     const std::string& workingFolder) {
  opened.push_back({verb, document, workingFolder});
}

}  // namespace zb
