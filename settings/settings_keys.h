#pragma once

namespace zb {

inline constexpr const char* kOptionsSection = "CheckBox Value";

}  // namespace zb
