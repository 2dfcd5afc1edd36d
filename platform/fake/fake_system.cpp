#include "platform/fake/fake_system.h"

namespace zb {

void FakeSystem::YieldToEvents() {
  ++yields;
  if (onYield) onYield();
}

std::optional<std::string> FakeSystem::ReadRegistryString(const std::string& root,
                                                          const std::string& key,
                                                          const std::string& value) {
  const auto found = registry.find({root, key, value});
  if (found == registry.end()) return std::nullopt;
  return found->second;
}

bool FakeSystem::FileExists(const std::string& path) {
  const std::optional<std::uint32_t> attributes = files_.GetAttributes(path);
  return attributes && !(*attributes & kAttrDirectory);
}

bool FakeSystem::StartProgram(const std::string& path) {
  startedPrograms.push_back(path);
  return programsStart;
}

void FakeSystem::EndProgram(int exitCode) { throw FakeProgramEnded{exitCode}; }

}  // namespace zb
