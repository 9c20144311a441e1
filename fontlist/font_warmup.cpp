#include "fontlist/font_warmup.h"

#include "framework/graphics.h"

namespace glyphora {

TFontWarmUp::~TFontWarmUp() { Drop(); }

bool TFontWarmUp::SameLook(const LOGFONTW& a, const LOGFONTW& b) {
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
         a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
         a.lfCharSet == b.lfCharSet && a.lfQuality == b.lfQuality && a.lfOutPrecision == b.lfOutPrecision &&
         a.lfPitchAndFamily == b.lfPitchAndFamily;
}

void TFontWarmUp::Drop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  items_.clear();
  stop_ = false;
}

void TFontWarmUp::Start(const std::vector<std::wstring>& faces, const LOGFONTW& base) {
  Drop();
  base_ = base;
  items_.reserve(faces.size());
  for (const std::wstring& f : faces) {
    items_.emplace_back();
    items_.back().Face = f;
  }
  if (!items_.empty()) thread_ = std::thread([this] { Run(); });
}

void TFontWarmUp::Run() {
  // Glyphs are cached by the format they are drawn in: a 32-bit surface as
  // the rows are composed on.
  TDibBitmap surface(64, 32);
  const HDC dc = surface.DC();
  if (dc) ::SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0;; ++i) {
    std::wstring face;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      while (i < items_.size() && items_[i].Stage != State::Waiting) ++i;
      if (stop_ || !dc || i >= items_.size()) break;
      items_[i].Stage = State::Working;
      face = items_[i].Face;
    }
    LOGFONTW lf = base_;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    UniqueFont font(::CreateFontIndirectW(&lf));
    TEXTMETRICW tm{};
    if (font) {
      SelectGuard sel(dc, font.get());
      ::GetTextMetricsW(dc, &tm);
      ::TextOutW(dc, 0, 0, face.c_str(), static_cast<int>(face.size()));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      items_[i].Font = std::move(font);
      items_[i].Height = tm.tmHeight;
      items_[i].Stage = State::Done;
    }
    changed_.notify_all();
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Item& item : items_)
      if (item.Stage == State::Waiting) item.Stage = State::Claimed;
  }
  changed_.notify_all();
}

bool TFontWarmUp::Take(const std::wstring& face, const LOGFONTW& base, UniqueFont& font, int& height) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (items_.empty() || !SameLook(base, base_)) return false;
  for (Item& item : items_) {
    if (item.Face != face) continue;
    if (item.Stage == State::Waiting) {
      item.Stage = State::Claimed;  // the caller makes it now; the thread skips it
      return false;
    }
    changed_.wait(lock, [&] { return item.Stage != State::Working; });
    if (item.Stage != State::Done || !item.Font) return false;
    font = std::move(item.Font);
    height = item.Height;
    item.Stage = State::Claimed;
    return true;
  }
  return false;
}

bool TFontWarmUp::Begins(const std::vector<std::wstring>& faces, const LOGFONTW& base) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (faces.size() > items_.size() || !SameLook(base, base_)) return false;
  for (size_t i = 0; i < faces.size(); ++i)
    if (items_[i].Face != faces[i]) return false;
  return true;
}

void TFontWarmUp::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] {
    for (const Item& item : items_)
      if (item.Stage == State::Waiting || item.Stage == State::Working) return false;
    return true;
  });
}

}  // namespace glyphora
