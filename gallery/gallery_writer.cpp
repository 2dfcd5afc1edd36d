#include "gallery/gallery_writer.h"

#include "gallery/html_escape.h"
#include "gallery/navigation_bar.h"
#include "gallery/page_file.h"
#include "gallery/page_names.h"
#include "gallery/signed_number.h"

namespace zb {
namespace {

constexpr const char* kPageEnd = "</body></html>";
constexpr const char* kTableEnd = "</td></tr></table>";

// A plain size ("2", "+1", "-1") goes in as typed; anything else is quoted,
// so that typed text can never add attributes or markup to the tag.
std::string FontSizeValue(const std::string& size, TextEncoding& encoding) {
  const std::size_t digits = size.starts_with('+') || size.starts_with('-') ? 1 : 0;
  const bool plain =
      size.size() > digits && size.find_first_not_of("0123456789", digits) == std::string::npos;
  return plain ? size : "\"" + EscapeHtmlText(size, encoding) + "\"";
}

void WriteIgnoringFailure(TextFile* file, std::string_view line) {
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
    Discard();
    throw;
  }
}

void GalleryWriter::StartFirstPair(RunContext& ctx) {
  Guarded([&] {
    Discard();  // a pair left over from an abandoned run
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
  normal_->WriteLine(kPageHeadLine);
  reduced_ = files_.CreateTextFile(ctx.OutputFolder + ReducedPageName(k));
  reduced_->WriteLine(kPageHeadLine);
  WriteNavigationBar(*normal_, *reduced_, k + 1, ctx.ListFileName, encoding_);
  if (ctx.TableLayout == 1) {
    line_.assign("<table border=1 ><tr>");
    AppendCellStart(ctx);
    WriteToBoth(line_);
    cellsInRow_ = 0;
  }
}

void GalleryWriter::WritePicture(const RunContext& ctx, std::string_view link, int width,
                                 int height, std::string_view displayName,
                                 const std::string* reducedSource, const std::string* browserCopy) {
  // Runs for every picture: lines are built in one buffer, not from temporaries.
  const std::string_view ending = ctx.HtmlLineBreak == 1 ? " border=0></a><br>" : " border=0></a>";
  const std::string_view shown = browserCopy != nullptr ? std::string_view(*browserCopy) : link;
  const auto anchor = [&](std::string_view source) {
    line_.assign("<a href=\"").append(shown).append("\" ").append(ctx.TargetAttr);
    line_.append("><img src=\"").append(source).append("\"");
  };
  anchor(reducedSource != nullptr ? std::string_view(*reducedSource) : shown);
  line_.append(" width=").append(SignedNumber(width));
  line_.append(" height=").append(SignedNumber(height)).append(ending);
  WriteIgnoringFailure(reduced_.get(), line_);
  anchor(shown);
  line_.append(ending);
  WriteIgnoringFailure(normal_.get(), line_);
  const bool namesShown = ctx.TableLayout == 1 && ctx.ShowFileName == 1;
  // The original stays at hand for download.
  const auto originalLink = [&](std::string_view text) {
    line_.append("<a href=\"").append(link).append("\" ").append(ctx.TargetAttr).append(">");
    line_.append(text).append("</a>");
  };
  if (browserCopy != nullptr && !namesShown) {
    line_.assign("<font size=1>");
    originalLink("元の画像");
    line_.append("</font>");
    WriteToBothIgnoringFailure(line_);
  }
  if (ctx.TableLayout != 1) return;
  if (namesShown) {
    line_.assign("<br><font size=").append(FontSizeValue(ctx.NameFontSize, encoding_)).append(">");
    const std::string name = EscapeHtmlText(displayName, encoding_);
    if (browserCopy != nullptr) {
      originalLink(name);
    } else {
      line_.append(name);
    }
    line_.append("</font>");
    WriteToBothIgnoringFailure(line_);
  }
  ++cellsInRow_;
  if (cellsInRow_ < ctx.ImagesPerRow) {
    line_.assign("</td>");
  } else {
    line_.assign(kTableEnd).append("<table border=1><tr>");
    cellsInRow_ = 0;
  }
  AppendCellStart(ctx);
  WriteToBothIgnoringFailure(line_);
}

void GalleryWriter::ClosePair() {
  Guarded([&] {
    if (normal_) CloseFile(normal_);
    if (reduced_) CloseFile(reduced_);
  });
}

void GalleryWriter::Discard() {
  normal_.reset();
  reduced_.reset();
}

bool GalleryWriter::PairOpen() const { return normal_ != nullptr; }

void GalleryWriter::WriteToBoth(std::string_view line) {
  normal_->WriteLine(line);
  reduced_->WriteLine(line);
}

void GalleryWriter::AppendCellStart(const RunContext& ctx) {
  line_.append("<td width=").append(std::to_string(ctx.ThumbnailSize)).append("><center>");
}

void GalleryWriter::WriteToBothIgnoringFailure(std::string_view line) {
  WriteIgnoringFailure(normal_.get(), line);
  WriteIgnoringFailure(reduced_.get(), line);
}

}  // namespace zb
