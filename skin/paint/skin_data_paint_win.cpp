#include "skin/paint/skin_data_paint_win.h"

#include <algorithm>

#include "framework/control.h"
#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/section_paint_win.h"

namespace glyphora {

TControlSectionData SectionDataOf(const TsCommonData& data) {
  TControlSectionData d;
  d.Skin = data.Skin();
  d.SkinIndex = data.SkinIndex;
  d.SkinSection = data.SkinSection();
  d.BorderIndex = data.BorderIndex;
  d.Texture = data.Texture;
  d.HotTexture = data.HotTexture;
  if (data.CustomColor && data.FOwnerControl) d.CustomColor = ColorToRGB(data.FOwnerControl->Color());
  d.HueOffset = data.HUEOffset;
  d.Saturation = data.Saturation;
  return d;
}

TCacheInfo OwnerBackground(const TsCommonData& data) {
  TControl* owner = data.FOwnerControl;
  if (!owner || !owner->Parent()) return TCacheInfo{nullptr, 0, 0, data.GetBGColor(0), false};
  TacParentBG bg;
  bool please = false;
  RequestControlBG(bg, owner->Parent(), please);
  TCacheInfo ci = ParentBGToCacheInfo(bg);
  if (ci.Ready) {
    ci.X += owner->Left();
    ci.Y += owner->Top();
  }
  return ci;
}

bool PaintSectionIntoCache(TsCommonData& data, int state) {
  if (!data.Skinned() || !data.FOwnerControl) return false;
  data.CheckCacheSize();
  TBitmap32* px = data.CachePixels();
  if (!px || px->Empty()) return false;
  TControl* owner = data.FOwnerControl;
  TCacheInfo ci{nullptr, 0, 0, data.GetBGColor(0), false};
  if (owner->Parent()) {
    TacParentBG bg;
    bool please = false;
    RequestControlBG(bg, owner->Parent(), please);
    ci = ParentBGToCacheInfo(bg);
  }
  ::GdiFlush();
  PaintControlSection(SectionDataOf(data), ci, false, px, {owner->Left(), owner->Top()},
                      {0, 0, px->Width(), px->Height()}, state);
  return true;
}

void CopyCacheExcludingChildren(HDC dc, TWinControl* owner, const TsCommonData& data, const RECT& clip) {
  HDC src = data.CacheDC();
  if (!dc || !owner || !src) return;
  SavedDC saved(dc);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  for (TControl* c : owner->Controls()) {
    if (!c->Visible() || !c->ClippedFromParentBackground()) continue;
    if (c->IsWindowed() && !c->OpaqueStyle()) continue;
    const RECT b = c->BoundsRect();
    RECT tmp;
    if (!::IntersectRect(&tmp, &b, &clip)) continue;
    ::ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
  }
  ::GdiFlush();
  ::BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, src, clip.left, clip.top,
           SRCCOPY);
}

}  // namespace glyphora
