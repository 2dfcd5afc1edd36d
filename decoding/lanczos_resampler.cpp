#include "decoding/lanczos_resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zb {
namespace {

constexpr double kLobes = 3;

double Lanczos(double t) {
  if (t == 0) return 1;
  if (std::abs(t) >= kLobes) return 0;
  const double pt = std::numbers::pi * t;
  return kLobes * std::sin(pt) * std::sin(pt / kLobes) / (pt * pt);
}

// For each output position along one side, the first input position it
// reads and its weights (the same number for every output).
struct Taps {
  int count = 0;
  std::vector<int> first;
  std::vector<float> weights;  // count per output
};

Taps TapsFor(int in, int out) {
  const double scale = std::max(1.0, static_cast<double>(in) / out);
  const double reach = kLobes * scale;
  Taps taps;
  taps.count = std::min(static_cast<int>(std::ceil(reach)) * 2 + 1, in);
  taps.first.resize(out);
  taps.weights.assign(static_cast<std::size_t>(out) * taps.count, 0.0f);
  for (int o = 0; o < out; ++o) {
    const double centre = (o + 0.5) * in / out - 0.5;
    const int first = static_cast<int>(std::floor(centre - reach)) + 1;
    taps.first[o] = std::clamp(first, 0, std::max(0, in - taps.count));
    float* w = &taps.weights[static_cast<std::size_t>(o) * taps.count];
    double sum = 0;
    for (int k = 0; k < taps.count; ++k) {
      // Beyond an edge the edge pixel stands in for the missing ones.
      const int source = std::clamp(first + k, 0, in - 1);
      const double weight = Lanczos((first + k - centre) / scale);
      w[source - taps.first[o]] += static_cast<float>(weight);
      sum += weight;
    }
    for (int k = 0; k < taps.count; ++k) w[k] = static_cast<float>(w[k] / sum);
  }
  return taps;
}

}  // namespace

PicturePixels LanczosResampled(const PicturePixels& in, int width, int height) {
  const Taps across = TapsFor(in.width, width);
  const Taps down = TapsFor(in.height, height);
  // Across first, into floats: the input's rows at the output's width.
  std::vector<float> rows(static_cast<std::size_t>(in.height) * width * 3);
  for (int y = 0; y < in.height; ++y) {
    const std::uint8_t* source = &in.rgb[static_cast<std::size_t>(y) * in.width * 3];
    float* target = &rows[static_cast<std::size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      const float* w = &across.weights[static_cast<std::size_t>(x) * across.count];
      const std::uint8_t* s = source + static_cast<std::size_t>(across.first[x]) * 3;
      float r = 0, g = 0, b = 0;
      for (int k = 0; k < across.count; ++k, s += 3) {
        r += w[k] * s[0];
        g += w[k] * s[1];
        b += w[k] * s[2];
      }
      target[x * 3] = r;
      target[x * 3 + 1] = g;
      target[x * 3 + 2] = b;
    }
  }
  PicturePixels out{width, height, std::vector<std::uint8_t>(std::size_t{3} * width * height)};
  const std::size_t stride = std::size_t{3} * width;
  std::vector<float> sums(stride);
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const float* w = &down.weights[static_cast<std::size_t>(y) * down.count];
    for (int k = 0; k < down.count; ++k) {
      const float* row = &rows[(static_cast<std::size_t>(down.first[y]) + k) * stride];
      for (std::size_t i = 0; i < stride; ++i) sums[i] += w[k] * row[i];
    }
    std::uint8_t* target = &out.rgb[static_cast<std::size_t>(y) * stride];
    for (std::size_t i = 0; i < stride; ++i) {
      target[i] = static_cast<std::uint8_t>(std::clamp(std::lround(sums[i]), 0l, 255l));
    }
  }
  return out;
}

}  // namespace zb
