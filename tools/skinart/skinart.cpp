// Skin artwork generator for the internal skin "NorvaneWhite (internal)".
//
// Draws every image of the skin from code (anti-aliased shapes, exact
// rectangles) and writes them as the skin's source files. Run by hand after
// changing the art, then commit the images:
//
//   cmake --preset host && cmake --build --preset host --target skinart
//   build/host/tools/skinart resources/skin build/skinart-review > build/skinart-entries.txt
//
// (In a Windows preset the same target builds it with the host's compiler,
// as build/<preset>/host-tools/skinart.)
//
// The first folder receives Master.bmp, ButtonHuge.bmp, Exbor.png and the seven
// Glow*.png files; the second a contact sheet (contact.png: every image at
// several times its size on a checkerboard, legend on stderr) and a mock window
// (mock.png) and a preview of the main window (window.png). Standard output lists the image entries of the master bitmap
// ("SECTION KEY=value"); Options.dat must name the same rectangles.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "art.h"
#include "mock_window.h"

using namespace skinart;

namespace {

bool Write(const std::string& path, const Image32& img, bool png) {
  bool ok = png ? WritePng(path, img) : WriteBmp32(path, img);
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

Image32 Frames(const std::vector<Canvas>& frames) {
  Image32 img(frames[0].W() * int(frames.size()), frames[0].H(), 0);
  for (size_t k = 0; k < frames.size(); ++k) PutAlpha(img, int(k) * frames[0].W(), 0, frames[k]);
  return img;
}

// Masked frames of the large button: images on top, masks below, key outside.
Image32 HugeButton() {
  Image32 img(300, 200, kKey);
  for (int k = 0; k < 3; ++k) PutMasked(img, k * 100, 0, HugeButtonFrame(k));
  return img;
}

// Straight-alpha canvas of a stored image: the key colour is transparent.
Canvas ToCanvas(const Image32& img, bool keyed) {
  Canvas c(img.w, img.h);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      uint32_t p = img.At(x, y);
      float a = keyed ? ((p & 0xFFFFFF) == 0xFF00FF ? 0.f : 1.f) : (p >> 24) / 255.f;
      c.At(x, y) = Px{float(p >> 16 & 255), float(p >> 8 & 255), float(p & 255), a};
    }
  return c;
}

// Nearest-neighbour nine-slice copy (sides and centre stretched), for the mock.
void NineSlice(Canvas& dst, const Canvas& src, int sx, int sw, int sh, int l, int t, int r, int b) {
  auto map = [](int d, int dn, int s0, int s1, int sn) {
    if (d < s0) return d;
    if (d >= dn - (sn - s1)) return s1 + (d - (dn - (sn - s1)));
    int mid = s1 - s0;
    return s0 + (d - s0) * mid / std::max(1, dn - s0 - (sn - s1));
  };
  for (int y = 0; y < dst.H(); ++y)
    for (int x = 0; x < dst.W(); ++x) {
      int mx = map(x, dst.W(), l, sw - r, sw), my = map(y, dst.H(), t, sh - b, sh);
      const Px& p = src.At(sx + mx, my);
      if (p.a > 0) dst.Blend(x, y, {p.r, p.g, p.b}, p.a);
    }
}

Canvas Mock(const Image32& master, const Image32& exbor, const Canvas& glowMin) {
  Canvas m(440, 300);
  Canvas ex = ToCanvas(exbor, false);
  NineSlice(m, ex, exbor.w / 2, exbor.w / 2, exbor.h, 43, 68, 44, 43);  // active frame
  m.FillRect(42, 67, 440 - 84, 300 - 109, Hex(pal::Surface));
  Canvas ms = ToCanvas(master, true);
  // Caption buttons as the frame lays them out: right to left from the border.
  int x = 440 - 16 - 26, top = (51 - 15) / 2 + 16 + 5;
  m.Draw(ms.Crop(133, 0, 28, 15), x - 28, top);
  m.Draw(ms.Crop(217, 0, 24, 15), x - 28 - 2 - 24, top);
  m.Draw(ms.Crop(289, 0, 24, 15), x - 28 - 4 - 48, top);
  m.Draw(glowMin, x - 28 - 4 - 48 - 20, top - 20);  // minimise hot with its glow
  return m;
}

void ContactSheet(const std::string& path, const std::vector<std::pair<std::string, Canvas>>& items,
                  const std::vector<int>& scales) {
  int w = 0, h = 8;
  for (size_t i = 0; i < items.size(); ++i) {
    w = std::max(w, items[i].second.W() * scales[i] + 16);
    h += items[i].second.H() * scales[i] + 12;
  }
  Image32 sheet(w, h, 0xFF303030);
  int y = 8;
  for (size_t i = 0; i < items.size(); ++i) {
    const Canvas& c = items[i].second;
    int s = scales[i];
    std::fprintf(stderr, "contact sheet: rows %4d-%4d: %s at %dx\n", y, y + c.H() * s - 1,
                 items[i].first.c_str(), s);
    for (int j = 0; j < c.H() * s; ++j)
      for (int k = 0; k < c.W() * s; ++k) {
        bool dark = ((k / 8) + (j / 8)) & 1;
        Rgb bg = Hex(dark ? 0xBFBFBF : 0xEFEFEF);
        const Px& p = c.At(k / s, j / s);
        Rgb o = Mix(bg, {p.r, p.g, p.b}, p.a);
        sheet.At(8 + k, y + j) = 0xFF000000u | (uint32_t(o.r) << 16) | (uint32_t(o.g) << 8) | uint32_t(o.b);
      }
    y += c.H() * s + 12;
  }
  Write(path, sheet, true);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skinart <skin source folder> <review folder>\n");
    return 2;
  }
  std::string out = argv[1], review = argv[2];
  std::filesystem::create_directories(out);
  std::filesystem::create_directories(review);
  try {
    std::vector<Entry> entries;
    Image32 master = BuildMaster(entries);
    Image32 huge = HugeButton();
    Image32 exbor = Frames({ExBorderFrame(false, 120, 150), ExBorderFrame(true, 120, 150)});
    struct Glow {
      const char* file;
      Canvas art;
    };
    std::vector<Glow> glows = {
        {"GlowBtn.png", ControlGlow(false)},
        {"GlowClose.png", CaptionGlow(Cap::Close, 28, 15)},
        {"GlowH.png", CaptionGlow(Cap::Help, 24, 15)},
        {"GlowMax.png", CaptionGlow(Cap::Max, 24, 15)},
        {"GlowMin.png", CaptionGlow(Cap::Min, 24, 15)},
        {"GlowNorm.png", CaptionGlow(Cap::Norm, 24, 15)},
        {"GlowWhite.png", ControlGlow(true)},
    };
    bool ok = Write(out + "/Master.bmp", master, false) && Write(out + "/ButtonHuge.bmp", huge, false) &&
              Write(out + "/Exbor.png", exbor, true);
    for (auto& g : glows) ok = ok && Write(out + "/" + g.file, Frames({g.art}), true);
    if (!ok) return 1;

    std::vector<std::pair<std::string, Canvas>> items = {
        {"Master.bmp", ToCanvas(master, true)},
        {"ButtonHuge.bmp", ToCanvas(huge, true)},
        {"Exbor.png", ToCanvas(exbor, false)},
    };
    std::vector<int> scales = {3, 2, 3};
    for (auto& g : glows) {
      items.push_back({g.file, g.art});
      scales.push_back(4);
    }
    Canvas mock = Mock(master, exbor, glows[4].art);
    Canvas window = MockMainWindow(master, entries, ToCanvas(exbor, false), glows[1].art, glows[0].art);
    items.push_back({"mock window", mock});
    scales.push_back(2);
    ContactSheet(review + "/contact.png", items, scales);
    Image32 mockImg(mock.W(), mock.H(), 0);
    PutAlpha(mockImg, 0, 0, mock);
    Write(review + "/mock.png", mockImg, true);
    Image32 windowImg(window.W(), window.H(), 0xFF7A8A9A);  // over a grey-blue desktop
    for (int y = 0; y < window.H(); ++y)
      for (int x = 0; x < window.W(); ++x) {
        const Px& p = window.At(x, y);
        Rgb o = Mix(Hex(0x7A8A9A), {p.r, p.g, p.b}, p.a);
        windowImg.At(x, y) = 0xFF000000u | (uint32_t(o.r) << 16) | (uint32_t(o.g) << 8) | uint32_t(o.b);
      }
    Write(review + "/window.png", windowImg, true);

    for (const Entry& e : entries) std::printf("%s %s=%s\n", e.section.c_str(), e.key.c_str(), e.value.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinart: %s\n", e.what());
    return 1;
  }
  return 0;
}
