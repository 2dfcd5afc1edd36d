#include "platform/win32/wic_thumbnail_decoder.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "picture/exif_orientation.h"
#include "platform/win32/windows_api.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

using Microsoft::WRL::ComPtr;

// As the Linux thumbnails and browser copies.
constexpr float kQuality = 0.85f;
constexpr float kBrowserCopyQuality = 0.90f;
// WICBitmapInterpolationModeHighQualityCubic, of Windows 10 on; older
// systems take Fant instead.
constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);

bool Taken(const GUID& format) {
  for (const GUID& known :
       {GUID_ContainerFormatJpeg, GUID_ContainerFormatPng, GUID_ContainerFormatBmp,
        GUID_ContainerFormatGif, GUID_ContainerFormatWebp,
        // Where Windows has the HEIF extension installed.
        GUID_ContainerFormatHeif}) {
    if (format == known) return true;
  }
  return false;
}

// The BGR pixels as shown under an Exif orientation: IWICBitmapFlipRotator
// would do, but Wine's turns and mirrors only part of the eight.
std::vector<BYTE> Oriented(const std::vector<BYTE>& bgr, UINT& width, UINT& height,
                           int orientation) {
  const UINT w = width, h = height;
  if (TurnsAQuarter(orientation)) std::swap(width, height);
  std::vector<BYTE> shown(bgr.size());
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      // Where the shown pixel (x, y) is stored.
      UINT sx = x, sy = y;
      switch (orientation) {
        case 2:
          sx = w - 1 - x;
          break;
        case 3:
          sx = w - 1 - x;
          sy = h - 1 - y;
          break;
        case 4:
          sy = h - 1 - y;
          break;
        case 5:
          sx = y;
          sy = x;
          break;
        case 6:
          sx = y;
          sy = h - 1 - x;
          break;
        case 7:
          sx = w - 1 - y;
          sy = h - 1 - x;
          break;
        case 8:
          sx = w - 1 - y;
          sy = x;
          break;
        default:
          break;
      }
      std::copy_n(bgr.begin() + (std::size_t{sy} * w + sx) * 3, 3,
                  shown.begin() + (std::size_t{y} * width + x) * 3);
    }
  }
  return shown;
}

ComPtr<IWICBitmapSource> Scaled(IWICImagingFactory& factory, IWICBitmapSource* source, int side) {
  UINT width = 0;
  UINT height = 0;
  if (FAILED(source->GetSize(&width, &height))) return nullptr;
  const ThumbnailSize size =
      ThumbnailSizeFor(static_cast<int>(width), static_cast<int>(height), side);
  if (static_cast<UINT>(size.width) == width && static_cast<UINT>(size.height) == height) {
    return source;
  }
  ComPtr<IWICBitmapScaler> scaler;
  if (FAILED(factory.CreateBitmapScaler(&scaler))) return nullptr;
  for (WICBitmapInterpolationMode mode : {kHighQualityCubic, WICBitmapInterpolationModeFant}) {
    if (SUCCEEDED(scaler->Initialize(source, size.width, size.height, mode))) return scaler;
  }
  return nullptr;
}

// The pixels as 24-bit BGR rows over white.
std::optional<std::vector<BYTE>> OnWhite(IWICImagingFactory& factory, IWICBitmapSource* source,
                                         UINT& width, UINT& height) {
  ComPtr<IWICFormatConverter> premultiplied;
  if (FAILED(factory.CreateFormatConverter(&premultiplied)) ||
      FAILED(premultiplied->Initialize(source, GUID_WICPixelFormat32bppPBGRA,
                                       WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom)) ||
      FAILED(premultiplied->GetSize(&width, &height))) {
    return std::nullopt;
  }
  std::vector<BYTE> bgra(std::size_t{width} * height * 4);
  if (FAILED(premultiplied->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgra.size()),
                                       bgra.data()))) {
    return std::nullopt;
  }
  std::vector<BYTE> bgr(std::size_t{width} * height * 3);
  for (std::size_t i = 0, o = 0; i < bgra.size(); i += 4, o += 3) {
    const BYTE uncovered = 255 - bgra[i + 3];
    for (int c = 0; c < 3; ++c) bgr[o + c] = static_cast<BYTE>(bgra[i + c] + uncovered);
  }
  return bgr;
}

std::vector<std::uint8_t> EncodedJpeg(IWICImagingFactory& factory, std::vector<BYTE>& bgr,
                                      UINT width, UINT height, float jpegQuality) {
  ComPtr<IWICBitmap> bitmap;
  ComPtr<IStream> out;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (FAILED(factory.CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR, width * 3,
                                            static_cast<UINT>(bgr.size()), bgr.data(), &bitmap)) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &out)) ||
      FAILED(factory.CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(out.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &options))) {
    return {};
  }
  PROPBAG2 quality{};
  quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
  VARIANT value{};
  value.vt = VT_R4;
  value.fltVal = jpegQuality;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(options->Write(1, &quality, &value)) || FAILED(frame->Initialize(options.Get())) ||
      FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
      format != GUID_WICPixelFormat24bppBGR || FAILED(frame->WriteSource(bitmap.Get(), nullptr)) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(out.Get(), &memory)) ||
      FAILED(out->Stat(&stat, STATFLAG_NONAME))) {
    return {};
  }
  const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
  if (bytes == nullptr) return {};
  std::vector<std::uint8_t> jpeg(bytes, bytes + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return jpeg;
}

}  // namespace

int JpegOrientation(std::span<const std::uint8_t> file) {
  constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return 1;
  std::size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xFF) {
    const std::uint8_t marker = file[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    // The picture's data begins, or it ends: no Exif comes after.
    if (marker == 0xDA || marker == 0xD9) break;
    const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];
    if (length < 2 || at + 2 + length > file.size()) break;
    const std::span<const std::uint8_t> segment = file.subspan(at + 4, length - 2);
    if (marker == 0xE1 && segment.size() >= sizeof kExif &&
        std::equal(kExif, kExif + sizeof kExif, segment.begin())) {
      return ExifOrientation(segment);
    }
    at += 2 + length;
  }
  return 1;
}

std::vector<std::uint8_t> WicThumbnailJpeg(std::span<const std::uint8_t> file, int side) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  GUID format{};
  UINT frames = 0;
  if (side <= 0 || file.size() > kMaxPictureFileBytes ||
      FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                          static_cast<DWORD>(file.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetContainerFormat(&format)) || !Taken(format) ||
      FAILED(decoder->GetFrameCount(&frames))) {
    return {};
  }
  // A moving GIF keeps its original, which moves.
  if (frames == 0 || (format == GUID_ContainerFormatGif && frames > 1)) return {};
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      width == 0 || height == 0 || std::uint64_t{width} * height * 4 > kMaxDecodedBytes) {
    return {};
  }
  ComPtr<IWICBitmapSource> picture = Scaled(*factory.Get(), frame.Get(), side);
  if (!picture) return {};
  std::optional<std::vector<BYTE>> bgr = OnWhite(*factory.Get(), picture.Get(), width, height);
  if (!bgr) return {};
  const int orientation = format == GUID_ContainerFormatJpeg ? JpegOrientation(file) : 1;
  if (orientation != 1) *bgr = Oriented(*bgr, width, height, orientation);
  return EncodedJpeg(*factory.Get(), *bgr, width, height,
                     side == kBrowserCopySide ? kBrowserCopyQuality : kQuality);
}

}  // namespace zb
