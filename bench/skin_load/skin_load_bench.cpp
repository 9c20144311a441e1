// Skin load speed: a synthetic but realistic 11-member package (options text
// with 64 sections, a master bitmap, a 32-bit button bitmap, nine PNG images)
// loaded into options, section data and images, against zlib alone
// inflating the same members, measured side by side in one run.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "skin/core/options_reader.h"
#include "skin/core/skin_content.h"
#include "skin/core/skin_images.h"
#include "tests/support/internal_skin_sections.h"
#include "tests/support/skin_writers.h"
#ifdef _WIN32
#include "imaging/wic_decoder.h"
#endif

using namespace glyphora;
using namespace glyphora::testing;

namespace {

const auto& kSections = kInternalSkinSections;
static_assert(std::size(kSections) == 64);

constexpr int kMasterW = 560, kMasterH = 420;

std::string Num4(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04d", v);
  return b;
}

std::string OptionsText() {
  std::string t;
  t += "[GLOBALINFO]\nVERSION=7.0\nAUTHOR=Bench\nDESCRIPTION=Synthetic skin\nMASTERBITMAP=MASTER.BMP\n"
       "BORDERWIDTH=26\nTITLEHEIGHT=51\nMAXHEIGHT=34\nFORMOFFSET=16\nCENTEROFFSET=5\nBORDERMODE=1\n"
       "SHADOW1COLOR=6705944\nSHADOW1OFFSET=1\nSHADOW1BLUR=2\nBORDERCOLOR=15592941\nBISPACE=2\nBILEFT=2\n"
       "BIKEEPHUE=2\nBICONCLOSEGLOW=1\nBICONCLOSEGLOWMARGIN=20\nCOLOR=16777215\nFONTCOLOR=2171169\n"
       "TCLEFT=16777215\nTCBOTTOM=16777215\nHOTCOLOR=16777215\n"
       "BICONCLOSE=@0133@0000@0217@0015@3@0\nBICONMAX=@0217@0000@0289@0015@3@0\n"
       "BICONMIN=@0289@0000@0361@0015@3@0\nBICONNORM=@0361@0000@0433@0015@3@0\n"
       "BOXCHECKED=@0000@0030@0048@0042@4@0\nBOXUNCHECKED=@0000@0042@0048@0054@4@0\n"
       "RADIOCHECKED=@0048@0030@0084@0042@3@0\nRADIOUNCHECKED=@0048@0042@0084@0054@3@0\n"
       "GRIPIMAGE=@0100@0030@0112@0042@1@0\nEXBORDER=!EXBOR.PNG!2!0!3!0043!0068!0044!0043\n"
       "BICONCLOSEGLOW0=!GLOWCLOSE.PNG!1!0!4\nBICONMAXGLOW0=!GLOWMAX.PNG!1!0!4\n"
       "BICONMINGLOW0=!GLOWMIN.PNG!1!0!4\nBICONNORMGLOW0=!GLOWNORM.PNG!1!0!4\n";
  for (int s = 1; s < int(std::size(kSections)); ++s) {
    int col = (s % 12) * 46, row = 60 + (s / 12) * 58;
    t += std::string("[") + kSections[s] + "]\n";
    t += "COLOR=" + std::to_string(15856113 - s * 257) + "\n";
    t += "TRANSPARENCY=0\nIMAGEPERCENT=0\nGRADIENTPERCENT=" + std::to_string(s % 3 == 0 ? 100 : 0) + "\n";
    t += "GRADIENTDATA=16777215;15856113;97;0;0;15856113;15856113;0;0;0\n";
    t += "FONTCOLOR=2171169\nTCLEFT=-1\nTCTOP=-1\nTCRIGHT=-1\nTCBOTTOM=-1\n";
    t += "STATES=" + std::string(s % 7 == 0 ? "1" : "3") + "\n";
    t += "HOTCOLOR=" + std::to_string(16250871 - s) + "\nHOTTRANSPARENCY=0\nHOTGRADIENTPERCENT=100\n";
    t += "HOTGRADIENTDATA=16777215;15132390;50;0;0;15132390;13684944;1;0;0;13684944;15329769;46;0;0\n";
    t += "HOTFONTCOLOR=0\nHOTTCLEFT=-1\nHOTTCTOP=-1\nHOTTCRIGHT=-1\nHOTTCBOTTOM=-1\n";
    t += "FADINGENABLED=" + std::string(s % 2 ? "TRUE" : "0") + "\nFADINGITERATIONS=20\n";
    t += "GLOW=0\nGLOWMARGIN=0\nGCOL=16777215\nHGCOL=16777215\nGSIZE=0\nHGSIZE=0\nSHOWFOCUS=0\n";
    t += "BORDERSMASK=^" + Num4(col) + "^" + Num4(row) + "^" + Num4(col + 42) + "^" + Num4(row + 28) +
         "^0004^0004^0004^0004^3^1^0^0\n";
    t += "PATTERN=~" + Num4(col) + "~" + Num4(row + 30) + "~" + Num4(col + 14) + "~" + Num4(row + 44) + "~00~0\n";
    t += "HOTPATTERN=~" + Num4(col + 14) + "~" + Num4(row + 30) + "~" + Num4(col + 28) + "~" + Num4(row + 44) +
         "~00~0\n";
    std::string name = kSections[s];
    if (name == "BUTTON_HUGE") t += "IMGTOPLEFT=!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047\n";
    if (name == "BUTTON") t += "GLOW0=!GLOWBTN.PNG!1!0!4\n";
    if (name == "HINT") t += "GLOW0=!GLOWWHITE.PNG!1!0!4\n";
    if (name == "FORMTITLE") t += "GLOW0=!GLOWH.PNG!1!0!4\n";
    if (s % 4 == 0)
      t += "GLYPHMASK=@" + Num4(col + 28) + "@" + Num4(row + 30) + "@" + Num4(col + 46) + "@" + Num4(row + 54) +
           "@3@1\n";
  }
  return t;
}

uint32_t Mix(uint32_t a, uint32_t b, int w) {  // w 0..255
  uint32_t out = 0;
  for (int s = 0; s < 32; s += 8) {
    int ca = (a >> s) & 255, cb = (b >> s) & 255;
    out |= uint32_t(ca + (cb - ca) * w / 255) << s;
  }
  return out;
}

TBitmap32 MasterArt() {
  TBitmap32 m(kMasterW, kMasterH);
  m.Fill(0xFFFF00FF);  // holes
  for (int s = 0; s < 90; ++s) {
    int x0 = (s % 12) * 46, y0 = 30 + (s / 12) * 58;
    for (int y = y0; y < std::min(y0 + 54, kMasterH); ++y)
      for (int x = x0; x < std::min(x0 + 44, kMasterW); ++x) {
        bool edge = x == x0 || y == y0 || x == x0 + 43 || y == y0 + 27;
        uint32_t base = Mix(0xFFFFFFFF, 0xFFD8DEE6, (y - y0) * 255 / 54);
        uint32_t h = uint32_t(x * 374761393u + y * 668265263u + s * 2246822519u);
        h = (h ^ (h >> 13)) * 1274126177u;
        uint32_t grain = (h >> 28) & 3;  // a little texture, as drawn art has
        m.SetPixel(x, y, edge ? 0xFFB9C2CC : base - grain * 0x010101);
      }
  }
  return m;
}

TBitmap32 Glow(int w, int h, uint32_t rgb) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      double d = std::sqrt(dx * dx + dy * dy);
      int a = d >= 1 ? 0 : static_cast<int>(std::lround(255 * (1 - d) * (1 - d)));
      b.SetPixel(x, y, a == 0 ? 0x00FFFFFFu : (uint32_t(a) << 24 | rgb));
    }
  return b;
}

TBitmap32 Shadow(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int fx = std::min(x % (w / 2), w / 2 - 1 - x % (w / 2)), fy = std::min(y, h - 1 - y);
      int d = std::min(std::min(fx, fy), 40);
      b.SetPixel(x, y, uint32_t(d * 3) << 24 | 0x202020);
    }
  return b;
}

TBitmap32 ButtonHuge() {
  TBitmap32 b(141, 94);
  for (int y = 0; y < 94; ++y)
    for (int x = 0; x < 141; ++x) b.SetPixel(x, y, Mix(0xFFFFFFFF, 0xFFDCE3EA, (y % 47) * 255 / 47));
  return b;
}

struct Member {
  size_t offset = 0, compressed = 0, size = 0;
};

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Times fn, or takes the time fn returns when it measures a part itself.
template <class Fn>
double MedianMs(int runs, Fn fn) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto a = std::chrono::steady_clock::now();
    if constexpr (std::is_void_v<decltype(fn())>) {
      fn();
      t.push_back(Ms(std::chrono::steady_clock::now() - a));
    } else {
      t.push_back(Ms(fn()));
    }
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int main() {
#ifdef _WIN32
  InstallWicDecoder();

  const char* suffix = "";
#else
  const char* suffix = "_host_nopng";  // no PNG decoder on the host
#endif
  std::vector<PackMember> members = {
      {"Options.dat", ToBytes(OptionsText())},
      {"ButtonHuge.bmp", WriteBmp(ButtonHuge(), 32)},
      {"Master.bmp", WriteBmp(MasterArt(), 24)},
      {"Exbor.png", WritePng(Shadow(180, 140))},
      {"GlowBtn.png", WritePng(Glow(70, 40, 0xFFFFFF))},
      {"GlowClose.png", WritePng(Glow(60, 44, 0x3040E0))},
      {"GlowH.png", WritePng(Glow(120, 36, 0xFFFFFF))},
      {"GlowMax.png", WritePng(Glow(52, 44, 0xFFFFFF))},
      {"GlowMin.png", WritePng(Glow(52, 44, 0xFFFFFF))},
      {"GlowNorm.png", WritePng(Glow(52, 44, 0xFFFFFF))},
      {"GlowWhite.png", WritePng(Glow(64, 64, 0xFFFFFF))}};
  Bytes pkg = WritePackage(members);

  // Where each member's stream lies, for zlib alone.
  std::vector<Member> layout;
  size_t pos = 8;
  for (const PackMember& m : members) {
    pos += 4 + m.name.size() + 4;
    Member L;
    L.offset = pos;
    L.size = m.data.size();
    L.compressed = ZlibCompress(m.data).size();
    layout.push_back(L);
    pos += L.compressed;
  }

  TSkinContent skin;
  skin.LoadFromPackage(pkg);  // warm up (and the WIC factory's first use)
  const int runs = 61;
  // zlib alone: every member inflated into an output buffer that is already
  // there (allocator effects stay out of the figure; the loader reuses its
  // memory between loads as well).
  std::vector<Bytes> out(layout.size());
  for (size_t i = 0; i < layout.size(); ++i) out[i].resize(layout[i].size + 1);
  auto inflateAll = [&] {
    for (size_t i = 0; i < layout.size(); ++i) {
      uLongf n = static_cast<uLongf>(layout[i].size);
      if (uncompress(out[i].data(), &n, pkg.data() + layout[i].offset, static_cast<uLong>(layout[i].compressed)) !=
          Z_OK)
        std::abort();
    }
  };
  // A reload (the memory of the previous load is reused) against zlib alone,
  // the two run turn about so that both see the same load on a shared machine.
  std::vector<double> inflateTimes, loadTimes;
  for (int i = 0; i < runs; ++i) {
    inflateTimes.push_back(MedianMs(1, inflateAll));
    loadTimes.push_back(MedianMs(1, [&] { skin.LoadFromPackage(pkg); }));
  }
  std::sort(inflateTimes.begin(), inflateTimes.end());
  std::sort(loadTimes.begin(), loadTimes.end());
  const double inflateMs = inflateTimes[inflateTimes.size() / 2];
  const double loadMs = loadTimes[loadTimes.size() / 2];

  // A first load into a new object, as at program start.
  double firstMs = MedianMs(15, [&] {
    auto fresh = std::make_unique<TSkinContent>();
    fresh->LoadFromPackage(pkg);
  });
  size_t pngs = 0;
  for (const TsMaskData& m : skin.ma)
    if (m.Bmp) ++pngs;
  // Where the time goes (each part reusing its memory, as a reload does).
  TacSkinConvertor pack;
  double readMs = MedianMs(runs, [&] { pack.ReadPackage(pkg); });
  TIniText ini;
  double iniMs = MedianMs(runs, [&] { ini.Parse(*pack.Options); });
  double gdMs = MedianMs(runs, [&] { ReadGeneralData(ini); });
  TPackageSource source(pack);
  TBitmap32 spare;
  double imagesMs = MedianMs(runs, [&] {
    TSkinImages images;
    TLoadBudget budget;
    TSkinImageFiles files(source, DefaultImageDecoder(), budget);
    LoadSkinImages(ini, files, nullptr, images, &spare);
    spare = std::move(images.MasterBitmap);
  });
  double masterMs = MedianMs(runs, [&] { spare = LoadMasterBitmap(ini, source, &spare); });
  // What the load no longer does: decoding the separate PNG images, which
  // now happens when each is first drawn.
  double decodeOnUseMs = MedianMs(15, [&] {
    TSkinContent fresh;
    fresh.LoadFromPackage(pkg);
    auto a = std::chrono::steady_clock::now();
    for (const TsMaskData& m : fresh.ma)
      if (m.Bmp) (void)m.Bmp.get();
    return std::chrono::steady_clock::now() - a;
  });
  TSkinLoadOptions noDecoder;
  struct NoDecoder : TImageDecoder {
    TBitmap32 Decode(std::span<const uint8_t>) override { return TBitmap32(); }
  } none;
  noDecoder.Decoder = &none;
  double noPngMs = MedianMs(runs, [&] { skin.LoadFromPackage(pkg, noDecoder); });

  std::printf("skin_package_kb%s: %.1f\n", suffix, pkg.size() / 1024.0);
  std::printf("skin_sections%s: %zu\n", suffix, skin.gd.size());
  std::printf("skin_images%s: %zu\n", suffix, skin.ma.size());
  std::printf("skin_separate_images%s: %zu\n", suffix, pngs);
  std::printf("skin_inflate_ms%s: %.3f\n", suffix, inflateMs);
  std::printf("skin_load_ms%s: %.3f\n", suffix, loadMs);
  std::printf("skin_load_first_ms%s: %.3f\n", suffix, firstMs);
  std::printf("skin_load_read_package_ms%s: %.3f\n", suffix, readMs);
  std::printf("skin_load_options_parse_ms%s: %.3f\n", suffix, iniMs);
  std::printf("skin_load_section_data_ms%s: %.3f\n", suffix, gdMs);
  std::printf("skin_load_images_ms%s: %.3f\n", suffix, imagesMs);
  std::printf("skin_load_master_bitmap_ms%s: %.3f\n", suffix, masterMs);
  std::printf("skin_load_without_png_ms%s: %.3f\n", suffix, noPngMs);
  std::printf("skin_png_decode_on_first_use_ms%s: %.3f\n", suffix, decodeOnUseMs);
  std::printf("skin_load_vs_inflate%s: %.2f\n", suffix, loadMs / inflateMs);
  return 0;
}
