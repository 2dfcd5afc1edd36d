#pragma once

#include <chrono>
#include <string>

#include "thumbnail/helper_process_pool.h"
#include "thumbnail/helper_thumbnail_maker.h"

namespace zb {

// Thumbnails in the output folder's "_gazthumb", named from the picture's
// drive path, file identity, size, times and the side asked for, made by
// helper processes.
class Win32ThumbnailMaker : public HelperThumbnailMaker {
 public:
  // helperProgram: a UTF-8 drive path of the helper, which serves
  // kThumbnailHelperArgument; with none (empty or missing), pictures get no
  // thumbnails.
  explicit Win32ThumbnailMaker(std::string helperProgram, std::chrono::milliseconds answerTimeout =
                                                              HelperProcessPool::kAnswerTimeout);
};

// zorbelle-thumbnailer.exe beside this program's own file, as a UTF-8 drive
// path; empty when there is none. Never looked up on PATH.
std::string ThumbnailerProgram();

}  // namespace zb
