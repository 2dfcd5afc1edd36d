#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zb {

// The helper program (zorbelle-thumbnailer) that decodes pictures for
// thumbnails, so that a picture that brings its decoder down costs only its
// own thumbnail, and so that only the helper loads the decoders.
//
// Contract of the pipe: a request is the side (u32), the length of a host
// path (u32) and the path; the answer is a length (u32) and that many bytes
// of JPEG, 0 for a picture that gives no thumbnail. Numbers are in the
// host's byte order: both ends are built and installed together. The
// helper is started with kThumbnailWorkerArgument and the run's process ID.
inline constexpr const char* kThumbnailWorkerArgument = "--thumbnail-worker";

// Serves requests from `in` until it closes, each picture with its own
// processor time; the process's exit code.
int RunThumbnailWorker(int in, int out);

// The thumbnail of one picture file, as the worker makes it; empty when the
// file cannot be read or decoded. Reads through no FIFO or device.
std::vector<std::uint8_t> MakeThumbnailBytes(const std::string& hostPath, int side);

}  // namespace zb
