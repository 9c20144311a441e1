// Skinned text figures: a label-size caption in the internal skin's colours
// with its contour copies, drawn into an off-screen bitmap; and a caption
// with a glow of 4 pixels, its mask kept between paints and made each time.
#include <windows.h>

#include <cstdio>

#include "bench/timing.h"
#include "framework/application.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/text32_win.h"

using namespace glyphora;
using bench::MedianMicros;

int main() {
  Application()->Initialize();
  TsSkinManager manager(nullptr);
  TsStoredSkin skin;
  skin.Name = L"NorvaneWhite (internal)";
  skin.PackedData = ResourceData(L"INTERNAL_SKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  manager.InternalSkins.push_back(skin);
  manager.SetSkinName(skin.Name);
  TsCommonData label(nullptr, 0);
  label.SetSkinSection("GLOBALINFO");  // the section with the contour colours
  if (!label.Skinned() || manager.Content().gd[size_t(label.SkinIndex)].Props[0].FontColor.Left == 0xFFFFFFFFu) {
    std::fprintf(stderr, "the internal skin or its text contours are missing\n");
    return 1;
  }
  UniqueFont font(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"Tahoma"));
  const std::wstring caption = L"Fonts Installed";
  const TRect32 r{4, 2, 104, 20};
  const UINT flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

  TDibBitmap target(108, 22);
  SelectGuard useFont(target.DC(), font.get());
  const double textUs = MedianMicros(2001, [&] {
    DrawSectionText(target.DC(), caption, true, false, label, flags, r);
  });
  std::printf("section_text_us: %.2f\n", textUs);

  TBitmap32 glowTarget(120, 40);
  const TRect32 gr{10, 10, 110, 30};
  TMask8 kept;
  const double cachedUs = MedianMicros(2001, [&] {
    DrawTextGlow(&glowTarget, font.get(), caption, gr, kept, 0x00FFFFFF, 4, gsAll, flags);
  });
  const double uncachedUs = MedianMicros(501, [&] {
    TMask8 fresh;
    DrawTextGlow(&glowTarget, font.get(), caption, gr, fresh, 0x00FFFFFF, 4, gsAll, flags);
  });
  std::printf("text_glow_us_cached: %.2f\n", cachedUs);
  std::printf("text_glow_us: %.2f\n", uncachedUs);
  TBitmap32 layered(108, 22);
  const double text32Us = MedianMicros(1001, [&] {
    DrawSectionText32(&layered, font.get(), 0, caption, true, &manager, false, label.SkinIndex, flags, r);
  });
  std::printf("section_text32_us: %.2f\n", text32Us);
  return 0;
}
