// A rough preview of the main window in the skin, for reviewing the art: the
// pieces are placed the way the frame and the controls use them (nine-slice
// borders, section colours and gradients). Text is shown as grey bars.
#include <cstdio>
#include <map>

#include "mock_window.h"

namespace skinart {

namespace {

struct Piece {
  int l = 0, t = 0, r = 0, b = 0, count = 1, mask = 0, wl = 0, wt = 0, wr = 0, wb = 0;
};

Piece Parse(const std::string& v) {
  Piece p;
  std::sscanf(v.c_str() + 1, "%4d", &p.l);
  std::sscanf(v.c_str() + 6, "%4d", &p.t);
  std::sscanf(v.c_str() + 11, "%4d", &p.r);
  std::sscanf(v.c_str() + 16, "%4d", &p.b);
  if (v[0] == '@') {
    p.count = v[21] - '0';
    p.mask = v[23] - '0';
  } else if (v[0] == '^') {
    std::sscanf(v.c_str() + 21, "%4d", &p.wl);
    std::sscanf(v.c_str() + 26, "%4d", &p.wt);
    std::sscanf(v.c_str() + 31, "%4d", &p.wr);
    std::sscanf(v.c_str() + 36, "%4d", &p.wb);
    p.count = v[41] - '0';
    p.mask = v[43] - '0';
  }
  return p;
}

class Mock {
 public:
  Mock(const Image32& master, const std::vector<Entry>& entries, int w, int h)
      : m_(master), c_(w, h) {
    for (const Entry& e : entries) pieces_[e.section + " " + e.key] = Parse(e.value);
  }
  Canvas& C() { return c_; }

  // One master pixel of frame k as colour and opacity.
  bool Src(const Piece& p, int k, int x, int y, Px& out) {
    int fw = (p.r - p.l) / p.count, fh = (p.b - p.t) / (p.mask + 1);
    uint32_t v = m_.At(p.l + k * fw + x, p.t + y);
    if ((v & 0xFFFFFF) == 0xFF00FF) return false;
    float a = 1;
    if (p.mask) a = 1 - float(m_.At(p.l + k * fw + x, p.t + fh + y) & 255) / 255;
    out = Px{float(v >> 16 & 255), float(v >> 8 & 255), float(v & 255), a};
    return a > 0;
  }
  // Nine-slice border (sides and centre stretched); centre only when asked.
  void Border(const std::string& key, int x, int y, int w, int h, int k, bool centre = false) {
    const Piece& p = pieces_.at(key);
    int fw = (p.r - p.l) / p.count, fh = (p.b - p.t) / (p.mask + 1);
    auto map = [](int d, int n, int a, int b, int fn) {
      if (d < a) return d;
      if (d >= n - b) return fn - (n - d);
      int mid = fn - a - b;
      return mid > 0 ? a + (d - a) * mid / std::max(1, n - a - b) : -1;
    };
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        bool inner = i >= p.wl && i < w - p.wr && j >= p.wt && j < h - p.wb;
        if (inner && !centre) continue;
        int sx = map(i, w, p.wl, p.wr, fw), sy = map(j, h, p.wt, p.wb, fh);
        Px s;
        if (sx >= 0 && sy >= 0 && Src(p, k, sx, sy, s)) c_.Blend(x + i, y + j, {s.r, s.g, s.b}, s.a);
      }
  }
  void Glyph(const std::string& key, int x, int y, int k) {
    const Piece& p = pieces_.at(key);
    int fw = (p.r - p.l) / p.count, fh = (p.b - p.t) / (p.mask + 1);
    for (int j = 0; j < fh; ++j)
      for (int i = 0; i < fw; ++i) {
        Px s;
        if (Src(p, k, i, j, s)) c_.Blend(x + i, y + j, {s.r, s.g, s.b}, s.a);
      }
  }
  void VGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom, float a = 1) {
    for (int j = 0; j < h; ++j) c_.FillRect(x, y + j, w, 1, Mix(Hex(top), Hex(bottom), h > 1 ? j / float(h - 1) : 0), a);
  }
  void Text(int x, int y, int w, uint32_t col = pal::Ink, int h = 7) {
    c_.FillSdf([&](float px, float py) { return RoundRectSdf(px, py, x, y, x + w, y + h, 2); }, Hex(col), 0.55f);
  }

 private:
  const Image32& m_;
  Canvas c_;
  std::map<std::string, Piece> pieces_;
};

void ScrollBarH(Mock& m, int x, int y, int w, int thumbAt, int thumbLen, int hot) {
  const int t = 17;
  m.VGradient(x, y, w, t, 0xFFFFFF, pal::Surface);
  m.Border("SCROLLBAR1H BORDERSMASK", x, y, w, t, 0);
  m.Glyph("SCROLLBTNLEFT GLYPHMASK", x + 4, y + 4, 0);
  m.Glyph("SCROLLBTNRIGHT GLYPHMASK", x + w - 13, y + 4, hot == 1 ? 1 : 0);
  m.Border("SCROLLSLIDERH BORDERSMASK", x + thumbAt, y, thumbLen, t, hot == 2 ? 1 : 0, true);
}

void ScrollBarV(Mock& m, int x, int y, int h, int thumbAt, int thumbLen) {
  const int t = 17;
  for (int i = 0; i < t; ++i) m.C().FillRect(x + i, y, 1, h, Mix(Hex(0xFFFFFF), Hex(pal::Surface), i / 16.0f));
  m.Border("SCROLLBAR1V BORDERSMASK", x, y, t, h, 0);
  m.Glyph("SCROLLBTNTOP GLYPHMASK", x + 4, y + 4, 0);
  m.Glyph("SCROLLBTNBOTTOM GLYPHMASK", x + 4, y + h - 13, 0);
  m.Border("SCROLLSLIDERV BORDERSMASK", x, y + thumbAt, t, thumbLen, 0, true);
}

}  // namespace

Canvas MockMainWindow(const Image32& master, const std::vector<Entry>& entries, const Canvas& exbor,
                      const Canvas& glowClose, const Canvas& speedGlow) {
  const int W = 720, H = 470;           // whole border window
  const int ox = 42, oy = 67;           // client origin: shadow + border, shadow + caption
  const int cw = W - 84, ch = H - 109;  // client size
  Mock m(master, entries, W, H);
  Canvas& c = m.C();
  // Frame: the active half of the extended border, sides stretched.
  int fw = exbor.W() / 2;
  Canvas active = exbor.Crop(fw, 0, fw, exbor.H());
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      auto map = [](int d, int n, int a, int b, int fn) {
        if (d < a) return d;
        if (d >= n - b) return fn - (n - d);
        return a + (d - a) * (fn - a - b) / std::max(1, n - a - b);
      };
      const Px& p = active.At(map(x, W, 43, 44, fw), map(y, H, 68, 43, exbor.H()));
      if (p.a > 0) c.Blend(x, y, {p.r, p.g, p.b}, p.a);
    }
  // Caption: icon, title, buttons (close hot with its glow).
  int top = (51 - 15) / 2 + 16 + 5;
  c.FillSdf([&](float x, float y) { return RoundRectSdf(x, y, 46, top, 62, top + 16, 3); }, Hex(pal::Accent));
  m.Text(68, top + 4, 58);
  int bx = W - 16 - 26;
  m.Glyph("GLOBALINFO BICONMIN", bx - 28 - 4 - 48, top, 0);
  m.Glyph("GLOBALINFO BICONMAX", bx - 28 - 2 - 24, top, 0);
  m.Glyph("GLOBALINFO BICONCLOSE", bx - 28, top, 0);
  c.Draw(glowClose, bx - 28 - 20, top - 20);

  // Client: side panel 200 wide, splitter 5, main panel.
  c.FillRect(ox, oy, cw, ch, Hex(pal::Surface));
  const int side = 180;
  m.VGradient(ox, oy, side, 25, 0xFFFFFF, 0xEDEDED);  // header (ALPHAEDIT)
  m.Border("ALPHAEDIT BORDERSMASK", ox, oy, side, 25, 0);
  m.Text(ox + 8, oy + 9, 72);
  int listY = oy + 25, listH = ch - 25 - 53;
  c.FillRect(ox, listY, side, listH, Hex(pal::White));  // font list (EDIT)
  m.Border("EDIT BORDERSMASK", ox, listY, side, listH, 0);
  for (int r = 0; r < listH / 22 - 1; ++r) {
    int ry = listY + 3 + r * 22;
    if (r == 2) {
      c.FillRect(ox + 2, ry, side - 21, 22, Hex(0xCCE4F7));
      m.Border("SELECTION BORDERSMASK", ox + 2, ry, side - 21, 22, 1);
    }
    m.Text(ox + 8, ry + 7, 60 + (r * 37) % 70, pal::Ink, 9);
  }
  ScrollBarV(m, ox + side - 19, listY + 2, listH - 4, 20, 60);
  int botY = oy + ch - 53;  // bottom panel with the size bar
  m.VGradient(ox, botY, side, 53, 0xFFFFFF, 0xEDEDED);
  m.Border("ALPHAEDIT BORDERSMASK", ox, botY, side, 53, 0);
  m.Text(ox + 8, botY + 8, 48);
  m.Text(ox + 62, botY + 8, 14);
  ScrollBarH(m, ox + 8, botY + 26, side - 16, 40, 26, 2);

  int mx = ox + side + 5, mw = cw - side - 5;  // main panel (PANEL)
  m.Border("PANEL BORDERSMASK", mx, oy, mw, ch, 0);
  int gridH = 100, barH = 35;
  int editH = ch - 2 - gridH - barH;
  c.FillRect(mx + 1, oy + 1, mw - 2, editH, Hex(pal::White));  // rich edit
  m.Border("EDIT BORDERSMASK", mx + 1, oy + 1, mw - 2, editH, 0);
  for (int r = 0; r < 9; ++r) m.Text(mx + 10, oy + 12 + r * 22, (r % 3 == 1) ? 0 : 120 + (r * 53) % 240, pal::Ink, 10);
  ScrollBarV(m, mx + mw - 20, oy + 3, editH - 4, 30, 80);
  int py = oy + 1 + editH;  // character map bar (ALPHAEDIT)
  m.VGradient(mx + 1, py, mw - 2, barH, 0xFFFFFF, 0xEDEDED);
  m.Border("ALPHAEDIT BORDERSMASK", mx + 1, py, mw - 2, barH, 0);
  m.Text(mx + 9, py + 14, 70);
  c.FillRect(mx + 90, py + 7, 185, 21, Hex(pal::White));
  m.Border("EDIT BORDERSMASK", mx + 90, py + 7, 185, 21, 0);
  m.Text(mx + 96, py + 14, 40, 0x000000);
  for (int b = 0; b < 3; ++b) {
    int sx = mx + 282 + b * 56, sy = py + 6;
    if (b == 1) {  // hot: half the stepped gradient over the panel, the glow around
      // The glow window: the control grown by 10 pixels, the image nine-sliced.
      int gw = 70, gh = 42;
      for (int j = 0; j < gh; ++j)
        for (int i = 0; i < gw; ++i) {
          int u = i < 16 ? i : (i >= gw - 16 ? 40 - (gw - i) : 20);
          int v = j < 16 ? j : (j >= gh - 16 ? 40 - (gh - j) : 20);
          const Px& p = speedGlow.At(u, v);
          if (p.a > 0) c.Blend(sx - 10 + i, sy - 10 + j, {p.r, p.g, p.b}, p.a);
        }
      for (int j = 0; j < 22; ++j) {
        float t = j / 21.0f;
        uint32_t col = t < 0.5f ? 0xF2F2F2 : (t < 0.52f ? 0xD0D0D0 : 0xE4E4E4);
        c.FillRect(sx, sy + j, 50, 1, Hex(col), 0.5f);
      }
    }
    m.Border("SPEEDBUTTON BORDERSMASK", sx, sy, 50, 22, b == 1 ? 1 : 0);
    m.Text(sx + 12, sy + 8, 26, b == 2 ? 0x9A9A9A : pal::Ink);
  }
  int gy = py + barH;  // the grid keeps the framework's look
  c.FillRect(mx + 1, gy, mw - 2, gridH, Hex(pal::White));
  for (int gx = mx + 1; gx < mx + mw - 1; gx += 19) c.FillRect(gx, gy, 1, gridH, Hex(0xC0C0C0));
  for (int yy = gy; yy < gy + gridH; yy += 19) c.FillRect(mx + 1, yy, mw - 2, 1, Hex(0xC0C0C0));

  // A popup menu over the rich edit with its second item hot.
  int px = mx + 140, pyy = oy + 90, pw = 150, ph = 6 + 3 * 22 + 2;
  for (int j = 0; j < ph; ++j) c.FillRect(px, pyy + j, pw, 1, Mix(Hex(0xFFFFFF), Hex(0xEDEFEF), j / float(ph) * 0.5f));
  c.FillRect(px + 3, pyy + 3, 26, ph - 6, Hex(0xF7F7F7));  // icon column (ICOLINE)
  m.Border("MAINMENU BORDERSMASK", px, pyy, pw, ph, 0);
  for (int i = 0; i < 3; ++i) {
    int iy = pyy + 3 + i * 22 + (i == 2 ? 2 : 0);
    if (i == 1) {
      c.FillRect(px + 3, iy, pw - 6, 22, Hex(pal::AccentFill));
      m.Border("MENUITEM BORDERSMASK", px + 3, iy, pw - 6, 22, 0);
    }
    if (i == 0) m.Glyph("GLOBALINFO CHECK", px + 5, iy + 3, 0);
    m.Text(px + 36, iy + 8, 70 - i * 12);
  }
  m.Border("DIVIDERV BORDERSMASK", px + 34, pyy + 3 + 2 * 22, pw - 40, 2, 0);
  return c;
}

}  // namespace skinart
