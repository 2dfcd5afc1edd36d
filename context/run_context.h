#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace zb {

// How far a stop has come: asked for (the next file asks the user), then
// confirmed (the walk unwinds).
enum class StopRequest : std::int16_t { kNone, kAsked, kConfirmed };

// The one record of run state; lives as long as the program, never cleared.
struct RunContext {
  // Run control.
  StopRequest RunState = StopRequest::kNone;
  std::int16_t FastMode = 0;
  std::chrono::system_clock::time_point StartTime{};
  std::chrono::system_clock::duration Elapsed{};

  // Counters. FileCount and ImageCount are 32-bit; depths 16-bit.
  std::int32_t FileCount = 0;
  std::int32_t ImageCount = 0;
  std::int16_t CurrentDepth = 0;
  std::int16_t MaxDepth = 0;

  // Paths (drive paths).
  std::string SearchRoot;
  std::string ListPath;
  std::string OutputFolder;
  std::string ListFileName;
  std::string PagePath;

  // Options snapshot, taken at Start.
  std::int16_t DeleteOddFiles = 0;
  std::int16_t MakeAllFileList = 0;
  std::int16_t HtmlLineBreak = 0;
  std::int16_t ThumbnailSize = 0;
  std::int16_t RelativeLinks = 0;
  std::int16_t SameDirOutput = 0;
  std::string TargetAttr;
  std::int16_t TableLayout = 0;
  std::string NameFontSize;
  std::int16_t ImagesPerRow = 0;
  std::int16_t ShowFileName = 0;
  bool MoreFormats = false;             // .png, .webp, .avif, .heic and .heif are pictures too
  bool MakeThumbnails = false;          // on, and _gazthumb could be taken for this run
  bool ThumbnailFolderRefused = false;  // on, but _gazthumb could not be taken
  std::int32_t ImagesPerPage = 0;       // follows hscGazoSuu at all times
  std::string FooterHtml;

  // True from the lock-out to the end of the Start operation; a second
  // Start is refused meanwhile.
  bool Active = false;
};

}  // namespace zb
