#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "context/run_context.h"
#include "gallery/picture_link.h"  // PictureLink, which callers use beside the writer
#include "platform/file_system.h"
#include "text/text_encoding.h"

namespace zb {

// The first line of every page the writer makes.
inline constexpr const char* kPageHeadLine =
    "<html><head><title>★Zorbelle♪：画像一覧</title></head><body  BGCOLOR=\"white\" >";

// The page pairs of a run: the normal page (.htm) and the reduced page
// (.html) of the current pair stay open until the next pair starts or the
// list page closes them.
class GalleryWriter {
 public:
  GalleryWriter(FileSystem& files, TextEncoding& encoding);

  // Guarded steps: on any failure both page files are dropped unclosed (a
  // page that replaces an old one is discarded, the old one stays) and the
  // failure (FileError) is rethrown.
  void StartFirstPair(RunContext& ctx);
  // Closes the full pair c = ImageCount / ImagesPerPage and starts pair c.
  void CloseFullPairAndStartNext(RunContext& ctx);
  // Counts the picture just written; the picture that fills its page
  // closes the pair and starts the next (guarded as above).
  void CountPicture(RunContext& ctx);

  // One picture's lines. link is the picture's link as PictureLink gives it;
  // width and height are the fitted size; displayName is raw text. Write
  // failures are ignored. reducedSource, when given, is what the reduced
  // page shows in place of the picture (its thumbnail); the link stays.
  // browserCopy, when given, stands for a picture browsers do not show: both
  // pages link it and the normal page shows it, and the original is linked
  // from its file name or a small 「元の画像」 link.
  void WritePicture(const RunContext& ctx, std::string_view link, int width, int height,
                    std::string_view displayName, const std::string* reducedSource = nullptr,
                    const std::string* browserCopy = nullptr);

  // Closes the open pair as it stands, writing nothing more. Both files are
  // closed either way; a failed close throws FileError afterwards, as the
  // page then lacks lines that were written.
  void ClosePair();
  // For error traps: drops the open pair unclosed, as the guarded steps do.
  // A page that had no old version stays as written.
  void Discard();
  bool PairOpen() const;

 private:
  template <typename Steps>
  void Guarded(Steps steps);
  void OpenPair(RunContext& ctx, std::int32_t k);
  void WriteToBoth(std::string_view line);
  void WriteToBothIgnoringFailure(std::string_view line);
  void AppendCellStart(const RunContext& ctx);

  FileSystem& files_;
  TextEncoding& encoding_;
  std::unique_ptr<TextFile> normal_;
  std::unique_ptr<TextFile> reduced_;
  std::int16_t cellsInRow_ = 0;  // picture cells in the current table row
  std::string line_;             // a picture's lines are built here, one after another
};

}  // namespace zb
