// The skin-wide hue rotation and saturation change: the master bitmap, the
// images' own bitmaps and every colour of the sections and of the skin.
#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "skin/core/skin_content.h"

namespace glyphora {

namespace {

template <class Fn>
void ForEachFontColor(TsFontColor& f, bool skipMinusOne, Fn fn) {
  for (TColor* c : {&f.Color, &f.Left, &f.Top, &f.Right, &f.Bottom})
    if (!skipMinusOne || *c != clMinusOne) *c = fn(*c);
}

// Gradients are shared by sections and their property sets: each one is
// changed once, and every holder then holds the changed one.
template <class Fn>
class TGradientRecolor {
 public:
  explicit TGradientRecolor(Fn fn) : fn_(fn) {}
  void operator()(TSharedGradient& g) {
    if (g.empty()) return;
    auto [it, fresh] = done_.try_emplace(g.Identity());
    if (fresh) {
      it->second.before = g;  // kept alive, so that no new array takes its address
      TsGradArray a = g.get();
      for (TsGradPie& p : a) {
        p.Color1 = fn_(p.Color1);
        p.Color2 = fn_(p.Color2);
      }
      it->second.after = std::move(a);
    }
    g = it->second.after;
  }

 private:
  struct TEntry {
    TSharedGradient before, after;
  };
  Fn fn_;
  std::unordered_map<const void*, TEntry> done_;
};

// Every colour of the sections and of the whole skin that a hue or
// saturation change affects. Section Color/HotColor/GlowColor/HotGlowColor
// change always; font colours only when not -1.
template <class Fn>
void ChangeColors(std::vector<TsGeneralData>& gd, TsSkinData& sd, Fn fn) {
  TGradientRecolor<Fn> recolor(fn);
  for (TsGeneralData& g : gd) {
    g.Color = fn(g.Color);
    g.HotColor = fn(g.HotColor);
    g.GlowColor = fn(g.GlowColor);
    g.HotGlowColor = fn(g.HotGlowColor);
    ForEachFontColor(g.FontColor, true, fn);
    ForEachFontColor(g.HotFontColor, true, fn);
    recolor(g.GradientArray);
    recolor(g.HotGradientArray);
    for (TsGenState& s : g.Props) {
      s.Color = fn(s.Color);
      s.GlowColor = fn(s.GlowColor);
      ForEachFontColor(s.FontColor, true, fn);
      // The per-state gradient is the same gradient as the section's; it
      // changes with it so that both views stay equal.
      recolor(s.GradientArray);
    }
  }
  sd.Shadow1Color = fn(sd.Shadow1Color);
  sd.BorderColor = fn(sd.BorderColor);
}

}  // namespace

void TSkinContent::ApplyHueAndSaturation(int32_t hue, int32_t saturation, const TSkinColorOps& ops) {
  if (hue != 0) {
    std::vector<bool> excluded(ma.size(), false);
    struct Saved { TRect32 r; TBitmap32 pixels; };
    std::vector<Saved> saved;
    if (SkinData.BIKeepHUE != 0) {
      std::vector<std::string_view> keep = {"BICONCLOSE", "SICONCLOSE"};
      if (SkinData.BIKeepHUE == 1)
        keep.insert(keep.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN",
                                 "SICONNORM"});
      for (std::string_view key : keep) {
        int32_t i = GetMaskIndex("GLOBALINFO", key);
        if (IsValidImgIndex(i)) {
          if (ma[i].Bmp) {
            excluded[i] = true;
          } else {
            // The part of the master bitmap under the image keeps its colours.
            TRect32 r = ma[i].R;
            r.Left = std::max(r.Left, 0);
            r.Top = std::max(r.Top, 0);
            r.Right = std::min(r.Right, MasterBitmap.Width());
            r.Bottom = std::min(r.Bottom, MasterBitmap.Height());
            if (r.Right > r.Left && r.Bottom > r.Top) {
              Saved s{r, TBitmap32(r.Right - r.Left, r.Bottom - r.Top)};
              for (int32_t y = r.Top; y < r.Bottom; ++y)
                std::copy_n(MasterBitmap.ScanLine(y) + r.Left, r.Right - r.Left, s.pixels.ScanLine(y - r.Top));
              saved.push_back(std::move(s));
            }
          }
        }
        int32_t g = GetMaskIndex("GLOBALINFO", std::string(key) + "GLOW0");
        if (IsValidImgIndex(g) && ma[g].Bmp) excluded[g] = true;
      }
    }
    if (!MasterBitmap.Empty()) ops.ShiftBitmapHue(&MasterBitmap, hue);
    for (const Saved& s : saved)
      for (int32_t y = s.r.Top; y < s.r.Bottom; ++y)
        std::copy_n(s.pixels.ScanLine(y - s.r.Top), s.r.Right - s.r.Left, MasterBitmap.ScanLine(y) + s.r.Left);
    // A picture several entries share is changed once; one that an entry
    // keeping its colours names keeps them for all.
    std::set<const void*> done;
    for (size_t i = 0; i < ma.size(); ++i)
      if (ma[i].Bmp && excluded[i]) done.insert(ma[i].Bmp.Identity());
    for (size_t i = 0; i < ma.size(); ++i)
      if (ma[i].Bmp && done.insert(ma[i].Bmp.Identity()).second) ops.ShiftBitmapHue(ma[i].Bmp.get(), hue);
    ChangeColors(gd, SkinData, [&](TColor c) { return ops.ShiftHueColor(hue, c); });
  }
  if (saturation != 0) {
    int32_t amount = saturation % 101;  // the sign follows the saturation
    if (!MasterBitmap.Empty()) ops.AdjustBitmapSaturation(&MasterBitmap, amount);
    std::set<const void*> done;  // a shared picture is changed once
    for (TsMaskData& m : ma)
      if (m.Bmp && done.insert(m.Bmp.Identity()).second) ops.AdjustBitmapSaturation(m.Bmp.get(), amount);
    ChangeColors(gd, SkinData, [&](TColor c) { return ops.AdjustSaturation(amount, c); });
  }
}

}  // namespace glyphora
