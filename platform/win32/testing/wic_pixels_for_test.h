#pragma once

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/win32/testing/bmp_for_test.h"

namespace zb {

// A picture's pixels as WIC decodes them, to look at what was made.
struct WicPixels {
  GUID format{};
  unsigned width = 0;
  unsigned height = 0;
  std::vector<std::uint8_t> bgra;

  Rgb At(unsigned x, unsigned y) const {
    const std::uint8_t* p = bgra.data() + (std::size_t{y} * width + x) * 4;
    return {p[2], p[1], p[0]};
  }
};

// COM for the calling thread, for the length of a test.
struct ComForTest {
  ComForTest() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~ComForTest() { CoUninitialize(); }
};

inline std::optional<WicPixels> DecodeWithWic(std::span<const std::uint8_t> bytes) {
  using Microsoft::WRL::ComPtr;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  WicPixels pixels;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetContainerFormat(&pixels.format)) || FAILED(decoder->GetFrame(0, &frame)) ||
      FAILED(frame->GetSize(&pixels.width, &pixels.height)) ||
      FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  pixels.bgra.resize(std::size_t{pixels.width} * pixels.height * 4);
  if (FAILED(converter->CopyPixels(nullptr, pixels.width * 4, static_cast<UINT>(pixels.bgra.size()),
                                   pixels.bgra.data()))) {
    return std::nullopt;
  }
  return pixels;
}

}  // namespace zb
