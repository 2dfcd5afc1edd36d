#pragma once

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <string_view>

#include "platform/posix/drive_paths.h"
#include "thumbnail/helper_process_pool.h"
#include "thumbnail/helper_thumbnail_maker.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {

// Thumbnails in the output folder's "_gazthumb", named from the picture's
// host path, size, modification time, file id, change time and the side
// asked for, made by helper processes.
class PosixThumbnailMaker : public HelperThumbnailMaker {
 public:
  // workerProgram: the helper, which serves kThumbnailHelperArgument; with
  // none (empty or missing), pictures get no thumbnails.
  PosixThumbnailMaker(DrivePaths& paths, std::string workerProgram,
                      std::chrono::milliseconds answerTimeout = HelperProcessPool::kAnswerTimeout);
};

// What names the thumbnail of the picture at hostPath, whose stat is st.
ThumbnailSource ThumbnailSourceOf(std::string_view hostPath, const struct stat& st, int side);

// The helper program beside this one (as in the build tree), else where the
// install puts it; empty when neither holds one. Never looked up on PATH.
std::string ThumbnailerProgram();

}  // namespace zb
