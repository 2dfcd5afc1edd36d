#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace zb {

struct RunSession;

struct MeasuredSize {
  float width = 0;
  float height = 0;
};

// A GIF is measured from its header's logical screen size; any other
// picture through the picture loader, with the crash marker armed first.
// head, the file's first bytes when they were read ahead, spares reading
// them again. Whatever cannot be read measures 0.
MeasuredSize MeasurePicture(RunSession& session, const std::string& path, bool gif,
                            std::optional<std::span<const std::byte>> head = std::nullopt);

}  // namespace zb
