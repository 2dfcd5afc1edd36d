#include "gallery/gallery_writer.h"

#include "gallery/html_escape.h"
#include "gallery/navigation_bar.h"
#include "gallery/page_file.h"
#include "gallery/page_names.h"
#include "gallery/signed_number.h"

namespace zb {
namespace {

constexpr const char* kHeadLine =
    "<html><head><title>★Zorbelle♪：画像一覧</title></head><body  BGCOLOR=\"white\" >";
constexpr const char* kPageEnd = "</body></html>";
constexpr const char* kTableEnd = "</td></tr></table>";

std::string CellStart(const RunContext& ctx) {
  return "<td width=" + std::to_string(ctx.ThumbnailSize) + "><center>";
}

// A plain size ("2", "+1", "-1") goes in as typed; anything else is quoted,
// so that typed text can never add attributes or markup to the tag.
std::string FontSizeValue(const std::string& size, TextEncoding& encoding) {
  const std::size_t digits = size.starts_with('+') || size.starts_with('-') ? 1 : 0;
  const bool plain =
      size.size() > digits && size.find_first_not_of("0123456789", digits) == std::string::npos;
  return plain ? size : "\"" + EscapeHtmlText(size, encoding) + "\"";
}

void WriteIgnoringFailure(TextFile* file, const std::string& line) {
  if (!file) return;
  try {
    file->WriteLine(line);
  } catch (const FileError&) {
    // A lost picture line must not end the run.
  }
}

}  // namespace

GalleryWriter::GalleryWriter(FileSystem& files, TextEncoding& encoding)
    : files_(files), encoding_(encoding) {}

template <typename Steps>
void GalleryWriter::Guarded(Steps steps) {
  try {
    steps();
  } catch (...) {
    CloseFileQuietly(normal_);
    CloseFileQuietly(reduced_);
    throw;
  }
}

void GalleryWriter::StartFirstPair(RunContext& ctx) {
  Guarded([&] {
    CloseFileQuietly(normal_);  // a pair left over from an abandoned run
    CloseFileQuietly(reduced_);
    OpenPair(ctx, 0);
  });
}

void GalleryWriter::CloseFullPairAndStartNext(RunContext& ctx) {
  Guarded([&] {
    if (!PairOpen()) throw FileError("no page pair is open");
    const std::int32_t c = ctx.ImageCount / ctx.ImagesPerPage;
    if (ctx.TableLayout == 1) {
      WriteToBoth(kTableEnd);
      cellsInRow_ = 0;
    }
    normal_->WriteLine("<p><font size=1>　" + ctx.FooterHtml + "</font>");
    reduced_->WriteLine("<p><font size=1>  " + ctx.FooterHtml + "</font>");
    WriteNavigationBar(*normal_, *reduced_, c, ctx.ListFileName, encoding_);
    normal_->WriteLine(kPageEnd);
    CloseFile(normal_);
    reduced_->WriteLine(kPageEnd);
    CloseFile(reduced_);
    OpenPair(ctx, c);
  });
}

void GalleryWriter::CountPicture(RunContext& ctx) {
  ++ctx.ImageCount;
  if (ctx.ImagesPerPage > 0 && ctx.ImageCount % ctx.ImagesPerPage == 0) {
    CloseFullPairAndStartNext(ctx);
  }
}

void GalleryWriter::OpenPair(RunContext& ctx, std::int32_t k) {
  ctx.PagePath = ctx.OutputFolder + PageName(k);
  normal_ = files_.CreateTextFile(ctx.PagePath);
  normal_->WriteLine(kHeadLine);
  reduced_ = files_.CreateTextFile(ctx.OutputFolder + ReducedPageName(k));
  reduced_->WriteLine(kHeadLine);
  WriteNavigationBar(*normal_, *reduced_, k + 1, ctx.ListFileName, encoding_);
  if (ctx.TableLayout == 1) {
    WriteToBoth("<table border=1 ><tr>" + CellStart(ctx));
    cellsInRow_ = 0;
  }
}

void GalleryWriter::WritePicture(const RunContext& ctx, const std::string& link, int width,
                                 int height, const std::string& displayName,
                                 const std::string* reducedSource) {
  const auto anchor = [&](const std::string& source) {
    return "<a href=\"" + link + "\" " + ctx.TargetAttr + "><img src=\"" + source + "\"";
  };
  const std::string ending = ctx.HtmlLineBreak == 1 ? " border=0></a><br>" : " border=0></a>";
  WriteIgnoringFailure(reduced_.get(), anchor(reducedSource ? *reducedSource : link) +
                                           " width=" + SignedNumber(width) +
                                           " height=" + SignedNumber(height) + ending);
  WriteIgnoringFailure(normal_.get(), anchor(link) + ending);
  if (ctx.TableLayout != 1) return;
  if (ctx.ShowFileName == 1) {
    WriteToBothIgnoringFailure("<br><font size=" + FontSizeValue(ctx.NameFontSize, encoding_) +
                               ">" + EscapeHtmlText(displayName, encoding_) + "</font>");
  }
  ++cellsInRow_;
  if (cellsInRow_ < ctx.ImagesPerRow) {
    WriteToBothIgnoringFailure("</td>" + CellStart(ctx));
  } else {
    WriteToBothIgnoringFailure(std::string(kTableEnd) + "<table border=1><tr>" + CellStart(ctx));
    cellsInRow_ = 0;
  }
}

void GalleryWriter::ClosePair() {
  Guarded([&] {
    if (normal_) CloseFile(normal_);
    if (reduced_) CloseFile(reduced_);
  });
}

void GalleryWriter::CloseAsTheyStand() {
  CloseFileQuietly(normal_);
  CloseFileQuietly(reduced_);
}

bool GalleryWriter::PairOpen() const { return normal_ != nullptr; }

void GalleryWriter::WriteToBoth(const std::string& line) {
  normal_->WriteLine(line);
  reduced_->WriteLine(line);
}

void GalleryWriter::WriteToBothIgnoringFailure(const std::string& line) {
  WriteIgnoringFailure(normal_.get(), line);
  WriteIgnoringFailure(reduced_.get(), line);
}

}  // namespace zb
