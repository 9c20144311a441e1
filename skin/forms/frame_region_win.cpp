#include "skin/forms/frame_region_win.h"

#include <cstring>

#include "skin/core/skin_content.h"
#include "skin/forms/frame_geometry.h"
#include "skin/paint/mask_image.h"

namespace glyphora {

namespace {
void AppendMaskRuns(TSkinContent& skin, int32_t index, bool withBottom, int32_t width, int32_t height,
                    std::vector<TRect32>& runs) {
  if (!skin.IsValidImgIndex(index)) return;
  const int32_t wl = skin.MaskWidthLeft(index), wt = skin.MaskWidthTop(index);
  const int32_t wr = skin.MaskWidthRight(index), wb = skin.MaskWidthBottom(index);
  const TsMaskData& m = skin.ma[index];
  const TBitmap32* src = ImageSource(m);
  AppendMaskCornerRuns(m, src, false, 0, width, wl, wr, wt, runs);
  if (withBottom) AppendMaskCornerRuns(m, src, true, height - wb, width, wl, wr, wb, runs);
}
}  // namespace

std::vector<TRect32> FrameRegionRuns(TSkinContent& skin, int32_t formMask, int32_t titleSection, int32_t width,
                                     int32_t height) {
  std::vector<TRect32> runs;
  AppendMaskRuns(skin, formMask, true, width, height, runs);
  if (skin.IsValidSkinIndex(titleSection))
    AppendMaskRuns(skin, skin.gd[titleSection].BorderIndex, false, width, height, runs);
  return runs;
}

UniqueRegion FrameRegion(TSkinContent& skin, int32_t formMask, int32_t titleSection, int32_t width, int32_t height) {
  UniqueRegion rgn(::CreateRectRgn(0, 0, width, height));
  const std::vector<TRect32> runs = FrameRegionRuns(skin, formMask, titleSection, width, height);
  if (!rgn || runs.empty()) return rgn;
  // One region of all runs, made in one call and subtracted once.
  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = {0, 0, width, height};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i) rects[i] = {runs[i].Left, runs[i].Top, runs[i].Right, runs[i].Bottom};
  UniqueRegion cut(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                     reinterpret_cast<const RGNDATA*>(data.data())));
  if (cut) ::CombineRgn(rgn.get(), rgn.get(), cut.get(), RGN_DIFF);
  return rgn;
}

}  // namespace glyphora
