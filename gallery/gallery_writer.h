#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "run/run_context.h"

namespace zb {

// The page pairs of a run: the normal page (.htm) and the reduced page
// (.html) of the current pair stay open until the next pair starts or the
// list page closes them.
class GalleryWriter {
 public:
  GalleryWriter(FileSystem& files, TextEncoding& encoding);

  // Guarded steps: on any failure both page files are closed (errors
  // ignored) and FileError is thrown.
  void StartFirstPair(RunContext& ctx);
  // Closes the full pair c = ImageCount / ImagesPerPage and starts pair c.
  void CloseFullPairAndStartNext(RunContext& ctx);

  // One picture's lines. link is the picture's link as PictureLink gives it;
  // width and height are the fitted size. Write failures are ignored.
  void WritePicture(const RunContext& ctx, const std::string& link, int width, int height,
                    const std::string& displayName);

  // Closes the open pair as it stands, writing nothing more; errors ignored.
  void CloseAsTheyStand();
  bool PairOpen() const;

 private:
  // ... (implementation state: the two page files and CellsInRow)
};

// The link to a picture, ready to stand between the quotes of an attribute:
// relative to the output folder when SameDirOutput and RelativeLinks are
// both 1, else the host's file URL.
std::string PictureLink(const RunContext& ctx, FileSystem& files, TextEncoding& encoding,
                        const std::string& picturePath);

}  // namespace zb
