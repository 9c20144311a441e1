// Figures of the internal skin: package size, the time to read the package
// into its members, and the time of a whole skin load (options, sections,
// images). Medians of repeated runs, one figure a line.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <span>
#include <vector>

#include "internal_skin/package_bytes.h"
#include "skin/core/skin_content.h"
#include "skin/core/skin_pack.h"
#ifdef _WIN32
#include <windows.h>

#include "imaging/wic_decoder.h"
#endif

using namespace glyphora;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> t) {
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

double Micros(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::micro>(b - a).count();
}

}  // namespace

int main() {
  std::vector<uint8_t> bytes = skintest::InternalSkinPackage(GLYPHORA_BENCH_PACKAGE);
  if (bytes.empty()) {
    std::fprintf(stderr, "internal skin package not found\n");
    return 1;
  }
  std::printf("internal_skin_package_bytes: %zu\n", bytes.size());
  {
    TacSkinConvertor pack;
    pack.ReadPackage(bytes);
    size_t inflated = pack.Options ? pack.Options->size() : 0;
    for (const auto& f : pack.Files) inflated += f.FileStream.size();
    std::printf("internal_skin_inflated_bytes: %zu\n", inflated);
  }
  TSkinLoadOptions options;
#ifdef _WIN32
  options.Decoder = &WicImageDecoder();
  const char* name = "internal_skin_load_us";
#else
  const char* name = "internal_skin_load_without_png_us";
#endif
  // The two measurements alternate so that a busy machine weighs on both alike.
  std::vector<double> reads, loads;
  size_t images = 0;
  for (int i = 0; i < 40; ++i) {
    auto a = Clock::now();
    TacSkinConvertor pack;
    pack.ReadPackage(bytes);
    auto b = Clock::now();
    TSkinContent skin;
    skin.LoadFromPackage(bytes, options);
    auto c = Clock::now();
    reads.push_back(Micros(a, b));
    loads.push_back(Micros(b, c));
    images = skin.ma.size();
  }
  double read = Median(reads), load = Median(loads);
  std::printf("internal_skin_read_package_us: %.0f\n", read);
  std::printf("%s: %.0f\n", name, load);
  std::printf("internal_skin_images: %zu\n", images);
  return 0;
}
