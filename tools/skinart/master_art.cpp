// Every picture cut from the master bitmap, and where it lies. A few pieces
// sit at fixed places that other documents refer to; the rest are packed in
// rows below them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "art.h"

namespace skinart {

namespace {

constexpr int kMasterW = 512;
constexpr int kMasterH = 128;
constexpr int kFreeTop = 56;  // packed pieces start below the fixed ones

std::string Num4(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04d", v);
  return b;
}

std::string Rect(char sep, int x, int y, int w, int h) {
  std::string s(1, sep);
  return s + Num4(x) + s + Num4(y) + s + Num4(x + w) + s + Num4(y + h);
}

class Atlas {
 public:
  Atlas() : img_(kMasterW, kMasterH, kKey), used_(size_t(kMasterW) * kMasterH, false) {}
  Image32& Img() { return img_; }

  // Reserves a rectangle: a fixed place when x >= 0, else the next free spot.
  void Reserve(int& x, int& y, int w, int h) {
    if (x < 0) {
      if (cx_ + w > kMasterW) {
        cx_ = 0;
        cy_ += rowH_ + 2;
        rowH_ = 0;
      }
      x = cx_;
      y = cy_;
      cx_ += w + 2;
      rowH_ = std::max(rowH_, h);
    }
    if (x + w > kMasterW || y + h > kMasterH) throw std::runtime_error("master bitmap full");
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) {
        if (used_[size_t(j) * kMasterW + i]) throw std::runtime_error("pieces overlap");
        used_[size_t(j) * kMasterW + i] = true;
      }
  }
  void StartFree() {
    cx_ = 0;
    cy_ = kFreeTop;
    rowH_ = 0;
  }
  int UsedHeight() const { return cy_ + rowH_; }

  // Frames side by side without mask, composited over bg.
  std::string Glyph(const std::vector<Canvas>& f, Rgb bg, int x = -1, int y = -1) {
    int fw = f[0].W(), fh = f[0].H(), n = int(f.size());
    Reserve(x, y, fw * n, fh);
    for (int k = 0; k < n; ++k) PutKeyed(img_, x + k * fw, y, f[k], bg);
    return Rect('@', x, y, fw * n, fh) + "@" + std::to_string(n) + "@0";
  }
  // Frames side by side with their masks in the band below.
  std::string MaskedGlyph(const std::vector<Canvas>& f, int x = -1, int y = -1) {
    int fw = f[0].W(), fh = f[0].H(), n = int(f.size());
    Reserve(x, y, fw * n, fh * 2);
    for (int k = 0; k < n; ++k) PutMasked(img_, x + k * fw, y, f[k]);
    return Rect('@', x, y, fw * n, fh * 2) + "@" + std::to_string(n) + "@1";
  }
  // Nine-piece border, masked or keyed over white.
  std::string Border(const std::vector<Canvas>& f, int wl, int wt, int wr, int wb, int mode,
                     bool mask, int x = -1, int y = -1) {
    int fw = f[0].W(), fh = f[0].H(), n = int(f.size());
    Reserve(x, y, fw * n, fh * (mask ? 2 : 1));
    for (int k = 0; k < n; ++k) {
      if (mask) PutMasked(img_, x + k * fw, y, f[k]);
      else PutKeyed(img_, x + k * fw, y, f[k], Hex(pal::White));
    }
    return Rect('^', x, y, fw * n, fh * (mask ? 2 : 1)) + "^" + Num4(wl) + "^" + Num4(wt) + "^" +
           Num4(wr) + "^" + Num4(wb) + "^" + std::to_string(n) + "^" + (mask ? "1" : "0") + "^" +
           std::to_string(mode) + "^1";
  }
  std::string Texture(const Canvas& c, int mode) {
    int x = -1, y = -1;
    Reserve(x, y, c.W(), c.H());
    PutKeyed(img_, x, y, c, Hex(pal::White), 0);
    char m[4];
    std::snprintf(m, sizeof m, "%02d", mode);
    return Rect('~', x, y, c.W(), c.H()) + "~" + m + "~0";
  }

 private:
  Image32 img_;
  std::vector<bool> used_;
  int cx_ = 0, cy_ = 0, rowH_ = 0;
};

// The same border rectangle read with other widths and draw mode.
std::string Rewidth(const std::string& e, int wl, int wt, int wr, int wb, int mode) {
  return e.substr(0, 20) + "^" + Num4(wl) + "^" + Num4(wt) + "^" + Num4(wr) + "^" + Num4(wb) +
         e.substr(40, 4) + "^" + std::to_string(mode) + "^1";
}

// The same border entry with another draw mode.
std::string WithMode(const std::string& e, int mode) {
  return e.substr(0, 44) + "^" + std::to_string(mode) + "^1";
}

// ---- small pieces ----

Canvas Ring(int w, int h, Rgb line, Rgb inside, int lineW = 1) {
  Canvas c(w, h);
  c.Fill(inside);
  c.FillRect(0, 0, w, lineW, line);
  c.FillRect(0, h - lineW, w, lineW, line);
  c.FillRect(0, 0, lineW, h, line);
  c.FillRect(w - lineW, 0, lineW, h, line);
  return c;
}

// Rounded outline (and optional fill) for masked borders.
Canvas Outline(int w, int h, float r, Rgb line, float fillA = 0, Rgb fill = {}) {
  Canvas c(w, h);
  auto shape = [=](float x, float y) { return RoundRectSdf(x, y, 0, 0, w, h, r); };
  if (fillA > 0) c.FillSdf(shape, fill, fillA);
  c.FillSdf([&](float x, float y) {
    float d = shape(x, y);
    return std::max(d, -d - 1);
  }, line);
  return c;
}

Canvas Arrow(int state) {  // pointing down, 9 x 9
  uint32_t col[] = {pal::GlyphSoft, 0x3F3F3F, pal::Accent};
  Canvas c(9, 9);
  c.FillSdf([](float x, float y) { return TriangleSdf(x, y, 1.5f, 3, 7.5f, 3, 4.5f, 6.2f); },
            Hex(col[state]));
  return c;
}

Canvas Tick(int size, Rgb col, float hw) {
  Canvas c(size, size);
  float s = size / 16.0f;
  c.FillSdf([&](float x, float y) {
    return std::min(CapsuleSdf(x, y, 3.6f * s, 8.2f * s, 6.6f * s, 11.2f * s, hw),
                    CapsuleSdf(x, y, 6.6f * s, 11.2f * s, 12.4f * s, 4.8f * s, hw));
  }, col);
  return c;
}

// Check box frame: kind 0 unchecked, 1 checked, 2 grayed; state 0..2.
Canvas Box(int n, int kind, int state) {
  Canvas c(n, n);
  auto shape = [=](float x, float y) { return RoundRectSdf(x, y, 0.5f, 0.5f, n - 0.5f, n - 0.5f, 2); };
  if (kind == 1) {
    uint32_t fill[] = {pal::Accent, 0x3F8EDF, pal::AccentDark};
    c.FillSdf(shape, Hex(fill[state]));
    c.Draw(Tick(n, Hex(pal::White), n > 11 ? 0.8f : 0.7f), 0, 0);
    return c;
  }
  uint32_t line[] = {pal::GlyphSoft, pal::Accent, pal::AccentDark};
  c.FillSdf(shape, Hex(line[state]));
  c.FillSdf([&](float x, float y) { return shape(x, y) + 1; },
            Hex(state == 2 ? pal::AccentFill : pal::White));
  if (kind == 2) {
    float q = n / 4.0f + 0.5f;
    c.FillSdf([&](float x, float y) { return RoundRectSdf(x, y, q, q, n - q, n - q, 1); },
              Hex(pal::Accent));
  }
  return c;
}

Canvas Radio(int kind, int state) {  // 12 x 12, pre-blended on white later
  Canvas c(12, 12);
  auto circle = [](float x, float y) { return std::hypot(x - 6, y - 6) - 5.0f; };
  uint32_t line[] = {pal::GlyphSoft, pal::Accent, pal::AccentDark};
  bool grey = kind == 2;
  c.FillSdf(circle, Hex(grey ? 0xB5B5B5 : (kind == 1 ? pal::Accent : line[state])));
  c.FillSdf([&](float x, float y) { return circle(x, y) + 1; },
            Hex(state == 2 && !grey ? pal::AccentFill : pal::White));
  if (kind != 0) {
    uint32_t dot[] = {pal::Accent, 0x3F8EDF, pal::AccentDark};
    c.FillSdf([](float x, float y) { return std::hypot(x - 6, y - 6) - 2.6f; },
              Hex(grey ? 0xB5B5B5 : dot[state]));
  }
  return c;
}

// Horizontal scroll thumb over the track's own vertical gradient.
Canvas SliderH(int state) {
  Canvas c(13, 17);
  for (int y = 0; y < 17; ++y) {
    float v = 255 - 14.0f * y / 16.0f;  // white to 0xF1 over the bar, as the track
    c.FillRect(0, y, 13, 1, {v, v, v});
  }
  c.FillSdf([](float x, float y) { return RoundRectSdf(x, y, 1, 5, 12, 12, 3.5f); },
            Hex(state == 0 ? 0xC4C4C4 : 0x9C9C9C));
  return c;
}

Canvas Transposed(const Canvas& c) { return c.RotatedCW().FlippedH(); }

Canvas Grip() {
  Canvas c(12, 12);
  const float p[][2] = {{10, 10}, {10, 6.5f}, {6.5f, 10}, {10, 3}, {6.5f, 6.5f}, {3, 10}};
  for (auto& q : p)
    c.FillSdf([&](float x, float y) { return std::hypot(x - q[0], y - q[1]) - 1.0f; },
              Hex(0x9E9E9E));
  return c;
}

Canvas VerticalSheen(int w, int h, uint32_t top, uint32_t bottom) {
  Canvas c(w, h);
  for (int y = 0; y < h; ++y) c.FillRect(0, y, w, 1, Mix(Hex(top), Hex(bottom), y / float(h - 1)));
  return c;
}

Canvas Stripes(bool vertical) {
  Canvas c(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool on = ((x + (vertical ? -y : y)) & 7) < 4;
      c.At(x, y) = on ? Px{0x6F, 0xAE, 0xEC, 1} : Px{0x2B, 0x7C, 0xD3, 1};
    }
  return c;
}

// Tab outline open at the bottom; state 2 is the selected tab.
Canvas Tab(int state) {
  const int n = 14;
  Canvas c(n, n);
  auto shape = [=](float x, float y) { return RoundRectSdf(x, y, 0, 0, n, n + 6, 3); };
  uint32_t line[] = {0xD4D4D4, 0xB8B8B8, 0xC6C6C6};
  c.FillSdf([&](float x, float y) {
    float d = shape(x, y);
    return std::max(d, -d - 1);
  }, Hex(line[state]));
  if (state == 2) c.FillRect(1, 0, n - 2, 2, Hex(pal::Accent));
  return c;
}

Canvas TrackThumb(int state) {  // 11 x 18
  Canvas c(11, 18);
  auto shape = [](float x, float y) { return RoundRectSdf(x, y, 0.5f, 0.5f, 10.5f, 17.5f, 3); };
  uint32_t line[] = {0xA8A8A8, pal::Accent, pal::AccentDark};
  c.FillSdf(shape, Hex(line[state]));
  c.FillSdf([&](float x, float y) { return shape(x, y) + 1; },
            Hex(state == 2 ? pal::AccentFill : pal::White));
  return c;
}

}  // namespace

Image32 BuildMaster(std::vector<Entry>& out) {
  Atlas a;
  auto add = [&](const std::string& s, const std::string& k, const std::string& v) {
    out.push_back({s, k, v});
  };
  const Rgb white = Hex(pal::White);

  // --- fixed places ---
  {  // caption buttons: close 28 wide, the others 24, three states each
    auto frames = [](Cap k, int w) {
      return std::vector<Canvas>{CaptionButton(k, w, 15, 0), CaptionButton(k, w, 15, 1),
                                 CaptionButton(k, w, 15, 2)};
    };
    add("GLOBALINFO", "BICONCLOSE", a.Glyph(frames(Cap::Close, 28), white, 133, 0));
    add("GLOBALINFO", "BICONMAX", a.Glyph(frames(Cap::Max, 24), white, 217, 0));
    add("GLOBALINFO", "BICONMIN", a.Glyph(frames(Cap::Min, 24), white, 289, 0));
    add("GLOBALINFO", "BICONNORM", a.Glyph(frames(Cap::Norm, 24), white, 361, 0));
    add("GLOBALINFO", "BICONHELP", a.Glyph(frames(Cap::Help, 24), white, 133, 16));
  }
  add("SCROLLSLIDERH", "BORDERSMASK", a.Border({SliderH(0), SliderH(1)}, 6, 8, 6, 8, 5, false, 90, 0));
  add("SCROLLSLIDERV", "BORDERSMASK",
      a.Border({Transposed(SliderH(0)), Transposed(SliderH(1))}, 8, 6, 8, 6, 5, false, 0, 0));
  {
    Canvas panel = Ring(14, 14, Hex(0xDADADA), Hex(pal::Surface));
    for (int p : {0, 13})
      for (int q : {0, 13}) panel.At(p, q) = Px{};  // softened corners
    add("PANEL", "BORDERSMASK", a.Border({panel}, 6, 6, 6, 6, 1, false, 118, 14));
  }
  {
    Canvas item = Outline(14, 21, 3, Hex(pal::AccentLine), 1, Hex(pal::AccentFill));
    add("MENUITEM", "BORDERSMASK", a.Border({item}, 2, 2, 2, 2, 3, true, 446, 0));
  }
  {  // arrows: down drawn once, the others turned from it
    std::vector<Canvas> down = {Arrow(0), Arrow(1), Arrow(2)}, left, up, right;
    for (auto& d : down) {
      left.push_back(d.RotatedCW());
      up.push_back(d.RotatedCW().RotatedCW());
      right.push_back(d.RotatedCW().RotatedCW().RotatedCW());
    }
    add("SCROLLBTNLEFT", "GLYPHMASK", a.MaskedGlyph(left, 34, 0));
    add("SCROLLBTNRIGHT", "GLYPHMASK", a.MaskedGlyph(right, 61, 0));
    add("SCROLLBTNTOP", "GLYPHMASK", a.MaskedGlyph(up, 34, 18));
    std::string dn = a.MaskedGlyph(down, 61, 18);
    add("SCROLLBTNBOTTOM", "GLYPHMASK", dn);
    add("COMBOBOX", "GLYPHMASK", dn);
  }
  {  // one-pixel separator: a vertical line on the left edge
    Canvas line(3, 1);
    line.Fill(Hex(0xDCDCDC));
    add("DIVIDER", "BORDERSMASK", a.Border({line}, 1, 0, 0, 0, 1, false, 3, 39));
  }
  add("GLOBALINFO", "RADIOUNCHECKED", a.Glyph({Radio(0, 0), Radio(0, 1), Radio(0, 2)}, white, 0, 42));
  add("GLOBALINFO", "RADIOCHECKED", a.Glyph({Radio(1, 0), Radio(1, 1), Radio(1, 2)}, white, 36, 42));
  add("GLOBALINFO", "RADIOGRAYED", a.Glyph({Radio(2, 0), Radio(2, 1), Radio(2, 2)}, white, 72, 42));

  // --- packed pieces ---
  a.StartFree();
  for (int kind : {1, 0, 2}) {
    const char* big[] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
    const char* small[] = {"SMALLUNCHECKED", "SMALLCHECKED", "SMALLGRAYED"};
    add("GLOBALINFO", big[kind], a.MaskedGlyph({Box(13, kind, 0), Box(13, kind, 1), Box(13, kind, 2)}));
    add("GLOBALINFO", small[kind], a.MaskedGlyph({Box(10, kind, 0), Box(10, kind, 1), Box(10, kind, 2)}));
  }
  add("GLOBALINFO", "CHECK",
      a.MaskedGlyph({Tick(16, Hex(pal::Ink), 0.75f), Tick(16, Hex(pal::Ink), 0.75f),
                     Tick(16, Hex(pal::AccentDark), 0.75f)}));
  add("GLOBALINFO", "GRIPIMAGE", a.MaskedGlyph({Grip()}));

  std::string speed = a.Border({Outline(12, 12, 3, Hex(pal::Line)), Outline(12, 12, 3, Hex(pal::AccentLine)),
                                Outline(12, 12, 3, Hex(0x5E9CDD))}, 4, 4, 4, 4, 1, true);
  for (const char* s : {"SPEEDBUTTON", "SPEEDBUTTON_SMALL", "UPDOWNBTN"}) add(s, "BORDERSMASK", speed);
  add("TOOLBUTTON", "BORDERSMASK", WithMode(speed, 3));

  std::string button = a.Border({Outline(12, 12, 3, Hex(0xB9B9B9)), Outline(12, 12, 3, Hex(0x7FB3E6)),
                                 Outline(12, 12, 3, Hex(0x4F8FD6))}, 4, 4, 4, 4, 1, true);
  std::string sheen = a.Texture(VerticalSheen(16, 16, 0xFFFFFF, 0xEDEDED), 1);
  std::string hotSheen = a.Texture(VerticalSheen(16, 16, 0xF6FAFE, 0xDDEBF9), 1);
  for (const char* s : {"BUTTON", "BUTTON_BIG"}) {
    add(s, "BORDERSMASK", button);
    add(s, "PATTERN", sheen);
    add(s, "HOTPATTERN", hotSheen);
  }
  std::string stripes = a.Texture(Stripes(false), 0);
  add("PROGRESSH", "PATTERN", stripes);
  add("PROGRESSV", "PATTERN", a.Texture(Stripes(true), 0));

  add("SELECTION", "BORDERSMASK",
      a.Border({Outline(8, 8, 2, Hex(0xD0D0D0)), Outline(8, 8, 2, Hex(pal::AccentLine))}, 3, 3, 3, 3, 1, true));
  add("GROUPBOX", "BORDERSMASK", a.Border({Outline(10, 10, 3, Hex(pal::LineSoft))}, 4, 4, 4, 4, 1, true));

  {  // edits: a soft line, a white inner pixel, corners a touch rounded
    Canvas edit = Ring(6, 6, Hex(0xBDBDBD), white);
    for (int p : {0, 5})
      for (int q : {0, 5}) edit.At(p, q) = Px{};
    std::string e = a.Border({edit}, 2, 2, 2, 2, 1, false);
    for (const char* s : {"EDIT", "COMBOBOX", "HINT", "GAUGE"}) add(s, "BORDERSMASK", e);
  }
  {  // hairline frames
    std::string ring = a.Border({Ring(3, 3, Hex(pal::LineSoft), white)}, 1, 1, 1, 1, 1, false);
    for (const char* s : {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT",
                          "TOOLBAR", "BARPANEL"})
      add(s, "BORDERSMASK", ring);
    std::vector<Canvas> track;
    for (uint32_t c : {0xE6E6E6u, 0xE6E6E6u, 0xD2D2D2u}) track.push_back(Ring(3, 3, Hex(c), white));
    std::string t = a.Border(track, 1, 1, 1, 1, 1, false);
    for (const char* s : {"SCROLLBAR1H", "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V"}) add(s, "BORDERSMASK", t);
  }
  {  // single lines: the same row read as a top, bottom or right edge
    Canvas hair(3, 1);
    hair.Fill(Hex(pal::Hair));
    std::string top = a.Border({hair}, 0, 1, 0, 0, 1, false);
    add("DIVIDERV", "BORDERSMASK", top);
    add("STATUSBAR", "BORDERSMASK", top);
    add("MENULINE", "BORDERSMASK", Rewidth(top, 0, 0, 0, 1, 1));
    add("BARTITLE", "BORDERSMASK", Rewidth(top, 0, 0, 0, 1, 1));
    // Bars: a white highlight along the top edge only, so that a bar never
    // doubles the line of the list or edit it sits against.
    Canvas band(1, 2);
    band.At(0, 0) = Px{255, 255, 255, 1};
    band.At(0, 1) = Px{250, 250, 250, 1};
    add("ALPHAEDIT", "BORDERSMASK", a.Border({band}, 0, 1, 0, 0, 1, false));
    std::vector<Canvas> head;
    for (uint32_t c : {0xE2E2E2u, 0xCFCFCFu, 0xBDBDBDu}) {
      Canvas h(2, 2);
      h.Fill(white);
      h.FillRect(1, 0, 1, 2, Hex(c));
      h.FillRect(0, 1, 2, 1, Hex(c));
      head.push_back(h);
    }
    add("COLHEADER", "BORDERSMASK", a.Border(head, 0, 0, 1, 1, 1, false));
  }
  {  // window frames without extended border: inactive and active
    std::vector<Canvas> form, title;
    for (uint32_t edge : {0xD2D2D2u, 0xB4B4B4u}) {
      Canvas f = Ring(12, 12, Hex(edge), white);
      f.At(0, 0) = Px{};
      f.At(11, 0) = Px{};
      Canvas t = f;
      t.FillRect(1, 11, 10, 1, Hex(pal::Hair));
      t.At(0, 11) = Px{float(edge >> 16 & 255u), float(edge >> 8 & 255u), float(edge & 255u), 1};
      t.At(11, 11) = t.At(0, 11);
      form.push_back(f);
      title.push_back(t);
    }
    std::string f = a.Border(form, 4, 4, 4, 4, 1, false);
    add("FORM", "BORDERSMASK", f);
    add("DIALOG", "BORDERSMASK", f);
    add("FORMTITLE", "BORDERSMASK", a.Border(title, 4, 4, 4, 4, 1, false));
  }
  {
    Canvas menu = Ring(8, 8, Hex(0xCCCCCC), white);
    for (int p : {0, 7})
      for (int q : {0, 7}) menu.At(p, q) = Px{};
    add("MAINMENU", "BORDERSMASK", a.Border({menu}, 3, 3, 3, 3, 1, false));
  }
  {  // tabs: drawn for the top and turned for the other sides
    std::vector<Canvas> top = {Tab(0), Tab(1), Tab(2)}, bottom, left, right;
    for (auto& t : top) {
      bottom.push_back(t.FlippedV());
      left.push_back(t.RotatedCW().RotatedCW().RotatedCW());
      right.push_back(t.RotatedCW());
    }
    add("TABTOP", "BORDERSMASK", a.Border(top, 5, 5, 5, 5, 1, true));
    add("TABBOTTOM", "BORDERSMASK", a.Border(bottom, 5, 5, 5, 5, 1, true));
    add("TABLEFT", "BORDERSMASK", a.Border(left, 5, 5, 5, 5, 1, true));
    add("TABRIGHT", "BORDERSMASK", a.Border(right, 5, 5, 5, 5, 1, true));
  }
  {  // track bar
    add("TRACKBAR", "SLIDERCHANNEL", a.Border({Ring(6, 4, Hex(0xC8C8C8), Hex(0xE6E6E6))}, 2, 1, 2, 1, 5, false));
    std::vector<Canvas> th = {TrackThumb(0), TrackThumb(1), TrackThumb(2)}, tv;
    for (auto& t : th) tv.push_back(t.RotatedCW());
    add("TRACKBAR", "SLIDERMASK", a.MaskedGlyph(th));
    add("TRACKBAR", "SLIDERVMASK", a.MaskedGlyph(tv));
    Canvas tick(1, 4);
    tick.Fill(Hex(0xA0A0A0));
    add("TRACKBAR", "TICKHORZ", a.Glyph({tick}, white));
    add("TRACKBAR", "TICKVERT", a.Glyph({tick.RotatedCW()}, white));
  }
  if (a.UsedHeight() > kMasterH) throw std::runtime_error("master bitmap too small");
  std::fprintf(stderr, "master bitmap: %d x %d, %d rows used\n", kMasterW, kMasterH, a.UsedHeight());
  return a.Img();
}

}  // namespace skinart
