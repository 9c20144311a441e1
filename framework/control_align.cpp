// Alignment: aligned children laid out along the edges of their parent
// and in what is left.
#include "framework/control.h"

#include <algorithm>
#include <vector>

namespace glyphora {

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && !parent_->aligning_) parent_->Realign(this);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (alignPending_) Realign();
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign(TControl* trigger) {
  if (alignDisabled_ > 0 || Loading() || aligning_) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  aligning_ = true;
  RECT r = AlignRect();
  auto collect = [&](TAlign a) {
    std::vector<TControl*> v;
    for (TControl* c : controls_)
      if (c->align_ == a && c->visible_) v.push_back(c);
    auto key = [a](TControl* c) {
      switch (a) {
        case TAlign::alTop: return c->top_;
        case TAlign::alBottom: return -(c->top_ + c->height_);
        case TAlign::alLeft: return c->left_;
        case TAlign::alRight: return -(c->left_ + c->width_);
        default: return 0;
      }
    };
    std::stable_sort(v.begin(), v.end(), [&](TControl* x, TControl* y) {
      int kx = key(x), ky = key(y);
      if (kx != ky) return kx < ky;
      return x == trigger && y != trigger;
    });
    return v;
  };
  for (TControl* c : collect(TAlign::alTop)) {
    c->SetBounds(r.left, r.top, r.right - r.left, c->height_);
    r.top += c->height_;
  }
  for (TControl* c : collect(TAlign::alBottom)) {
    c->SetBounds(r.left, r.bottom - c->height_, r.right - r.left, c->height_);
    r.bottom -= c->height_;
  }
  for (TControl* c : collect(TAlign::alLeft)) {
    c->SetBounds(r.left, r.top, c->width_, r.bottom - r.top);
    r.left += c->width_;
  }
  for (TControl* c : collect(TAlign::alRight)) {
    c->SetBounds(r.right - c->width_, r.top, c->width_, r.bottom - r.top);
    r.right -= c->width_;
  }
  for (TControl* c : collect(TAlign::alClient)) c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  aligning_ = false;
}

}  // namespace glyphora
