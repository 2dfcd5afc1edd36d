#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zb {

struct RunSession;

// Every plain file of the walk comes here: lists it, places it on the
// gallery when it is a picture, offers odd files for deletion and keeps the
// status current. Non-zero is the number of a page-write failure that has
// already been reported; the walk must end. head holds the file's first
// bytes when they were read ahead.
std::int16_t ProcessFile(RunSession& session, const std::string& path,
                         std::optional<std::span<const std::byte>> head = std::nullopt);

// Writes the pictures that wait for their thumbnails (all of them, or those
// done); non-zero as ProcessFile, after the page-write message was shown.
std::int16_t WritePlacedPictures(RunSession& session, bool all);

}  // namespace zb
