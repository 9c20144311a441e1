// Geometry of a skinned form frame drawn over the native non-client area:
// caption buttons laid out from the right end of the caption, the caption
// icon and text rectangles, hit testing of edges, corners, caption, icon and
// buttons, and the pixel runs of a border mask's corners that the window
// region leaves out. Window coordinates (origin at the window's top-left
// corner); no window system, so all of it is tested on the host.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "base/bitmap32.h"
#include "base/shared_types.h"
#include "skin/core/skin_types.h"
#include "skin/paint/parent_bg.h"

namespace glyphora {

class TSkinContent;

// Hit codes, as the window system numbers them.
enum : int32_t {
  kHtTransparent = -1, kHtNowhere = 0, kHtClient = 1, kHtCaption = 2, kHtSysMenu = 3, kHtMinButton = 8, kHtMaxButton = 9,
  kHtLeft = 10, kHtRight = 11, kHtTop = 12, kHtTopLeft = 13, kHtTopRight = 14, kHtBottom = 15,
  kHtBottomLeft = 16, kHtBottomRight = 17, kHtBorder = 18, kHtClose = 20, kHtHelp = 21,
};

// The caption buttons, counted from the right end of the caption.
enum TCaptionButtonKind : int { cbClose = 0, cbMax = 1, cbMin = 2, cbHelp = 3, cbCount = 4 };
int32_t CaptionButtonHitCode(TCaptionButtonKind kind);
// The button a hit code names (cbCount: none).
TCaptionButtonKind CaptionButtonOfHitCode(int32_t code);

// Button sizes when the skin has no image for a button.
constexpr int32_t kMissingButtonSize = 21;

// What the frame's layout depends on.
struct TFrameInput {
  int32_t Width = 0, Height = 0;       // the window
  int32_t SysBorderWidth = 0;          // native frame width
  int32_t SysBorderHeight = 0;         // native frame height
  int32_t CaptionHeight = 0;           // native caption height (0: no caption)
  bool Sizeable = false, Maximized = false, Minimized = false;
  bool LargeButtons = true;            // single or sizeable border: spacing, icon, alignment
  bool ShowIcon = true;
  // Single-frame sizes of the button images; 0 when the image is missing.
  std::array<int32_t, cbCount> ButtonWidth{};
  int32_t ButtonHeight = 0;            // of the close image
  std::array<bool, cbCount> ButtonVisible{};
  std::array<bool, cbCount> ButtonEnabled{true, true, true, true};
  bool RestoreEnabled = true;
  // Skin values (GLOBALINFO).
  int32_t BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0;
  bool HasCaptionSection = false;      // the skin has a "CAPTION" section
  // The native client area; empty: the window less frame and caption.
  TRect32 Client{};
  // The extended border: the layout is then made in the coordinates of the
  // whole frame image (shadow included), Width and Height are the image's,
  // SysBorderWidth the skin's border width, SysBorderHeight 0 and
  // CaptionHeight the skin's caption height.
  bool Extended = false;
  TRect32 Shadow{};                    // shadow margins around the frame
  int32_t CenterOffs = 0;              // the skin's caption centre offset
  int32_t TitleHeight = 0, MaxHeight = 0;  // caption height, normal and maximised
  int32_t NativeFrame = 0;             // the platform's frame width
  int32_t MaxCorrection = 0;           // the maximised caption's correction
  int32_t FormTop = 0;                 // the form window's top in the image
};

struct TFrameLayout {
  TFrameInput In;
  // Empty rectangles for buttons that are not shown.
  std::array<TRect32, cbCount> Buttons{};
  int32_t ButtonsWidth = 0;            // all shown buttons with their spacing
  TRect32 Icon{};                      // empty without an icon
  TRect32 Text{};                      // caption text rectangle
  TRect32 Client{};                    // the native client area
  int32_t CaptionBottom = 0;           // header bottom: border height + caption height
};

// Image single-frame sizes with the guarded divisions of the image code.
int32_t ButtonWidthOf(const TsMaskData* image);
int32_t ButtonHeightOf(const TsMaskData* image);
// Caption icon size for a caption height h.
int32_t CaptionIconSize(int32_t captionHeight);

TFrameLayout LayoutFrame(const TFrameInput& in);
// Puts the caption buttons' widths (images[k]: each kind's image index),
// their height (the close button's image) and the skin's button margins
// into `in`.
void SetButtonMetrics(TFrameInput& in, const TSkinContent& skin, const std::array<int, cbCount>& images,
                      int closeImage, bool hasCaptionSection);

// WM_NCHITTEST for a point in window coordinates.
int32_t FrameHitTest(const TFrameLayout& layout, int32_t x, int32_t y);

// The button under a point (cbCount: none); disabled buttons answer none.
TCaptionButtonKind ButtonAt(const TFrameLayout& layout, int32_t x, int32_t y);

// The runs of key pixels (exactly 0x00FF00FF) in the corners of a border
// mask, as one-pixel-high rectangles in window coordinates. Top corners are
// the first wt rows of the first frame, bottom corners its last wb rows,
// placed from y0; left columns keep their x, right columns go to the right
// end of a window `width` wide. Rows and columns outside `src` are not
// scanned; an image without frames (count 0, mask type -1) gives nothing.
void AppendMaskCornerRuns(const TsMaskData& mask, const TBitmap32* src, bool bottom, int32_t y0, int32_t width,
                          int32_t wl, int32_t wr, int32_t rows, std::vector<TRect32>& out);

// The strip behind the caption buttons kept to restore a button's
// background: `stripWidth` wide, 1 pixel in from the right edge, never left
// of 0.
TRect32 ButtonStripRect(int32_t cacheWidth, int32_t stripWidth, int32_t height);

// Outline dragging: the rectangle `start` moved (kHtCaption) or sized (the
// sizing codes) by (dx, dy), never narrower or lower than the minimum (and
// never below 1 x 1 pixel).
TRect32 DragOutlineRect(const TRect32& start, int32_t hitCode, int32_t dx, int32_t dy, int32_t minWidth,
                        int32_t minHeight);

}  // namespace glyphora
