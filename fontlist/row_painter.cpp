#include "fontlist/row_painter.h"

#include <algorithm>

#include "framework/handles.h"
#include "skin/paint/keyed_copy.h"

namespace glyphora {

void PaintPlainRow(TDibBitmap& row, const TPlainRow& plain, HFONT font, int textHeight) {
  const HDC mem = row.DC();
  const int w = plain.Width, h = plain.Height;
  const RECT all{0, 0, w, h};
  TCanvas(mem).FillRect(all, plain.Back);
  // The kind glyph sits in a square cell at the left; white is transparent.
  const TBitmap32& glyph = FontTypeGlyphPixels(plain.Type);
  const int glyphHeight = glyph.Height();
  if (!glyph.Empty()) {
    ::GdiFlush();
    CopyKeyedRect(&row.Pixels(), &glyph, 0, TColor(0x00FFFFFF), {0, 0, glyph.Width() - 1, glyph.Height() - 1}, 0);
  }
  RECT textRect = all;
  textRect.left += h;
  SelectGuard sel(mem, font);
  const int band = plain.Skinned && glyphHeight > 0 ? glyphHeight : h;
  ::SetBkMode(mem, TRANSPARENT);
  ::SetTextColor(mem, ColorToRGB(plain.Text));
  ::ExtTextOutW(mem, textRect.left + 1, (band - textHeight) / 2, ETO_CLIPPED, &textRect, plain.Name.c_str(),
                static_cast<UINT>(plain.Name.size()), nullptr);
  ::GdiFlush();
}

TRowPainter::~TRowPainter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TRowPainter::Queue(std::vector<Job> jobs, const LOGFONTW& font) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.assign(std::make_move_iterator(jobs.begin()), std::make_move_iterator(jobs.end()));
    font_ = font;
    if (!thread_.joinable() && !jobs_.empty()) thread_ = std::thread([this] { Run(); });
  }
  changed_.notify_all();
}

void TRowPainter::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  jobs_.clear();
  done_.clear();
  ++generation_;
}

bool TRowPainter::Claim(const std::wstring& key) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (busy_.load() && inHand_ == key) {
    changed_.wait(lock, [&] { return !busy_.load() || inHand_ != key; });
    return true;
  }
  auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.Key == key; });
  if (it != jobs_.end()) jobs_.erase(it);
  return false;
}

void TRowPainter::Hold() {
  going_.store(false);
  holds_.fetch_add(1);
  if (!busy_.load()) return;
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return !busy_.load(); });
}

void TRowPainter::Release() {
  if (holds_.load() > 0) holds_.fetch_sub(1);
}

void TRowPainter::Go() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    going_.store(true);
  }
  changed_.notify_all();
}

size_t TRowPainter::Pending() {
  std::lock_guard<std::mutex> lock(mutex_);
  return jobs_.size() + (busy_.load() ? 1 : 0);
}

void TRowPainter::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  going_.store(true);
  changed_.notify_all();
  changed_.wait(lock, [&] { return jobs_.empty() && !busy_.load(); });
}

void TRowPainter::Run() {
  TDibBitmap row;
  for (;;) {
    Job job;
    LOGFONTW lf;
    uint64_t generation;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      for (;;) {
        if (stop_) return;
        if (jobs_.empty() || !going_.load() || holds_.load() > 0) {
          changed_.wait(lock);
          continue;
        }
        busy_.store(true);
        if (holds_.load() == 0 && going_.load()) break;
        busy_.store(false);  // the list came in meanwhile
        changed_.notify_all();
      }
      job = std::move(jobs_.front());
      jobs_.pop_front();
      inHand_ = job.Key;
      generation = generation_;
      lf = font_;
    }
    // The font is made here and freed with the row: fonts are cheap to make,
    // it is the glyphs of a family not drawn lately that cost.
    lstrcpynW(lf.lfFaceName, job.Row.Name.c_str(), LF_FACESIZE);
    UniqueFont font(::CreateFontIndirectW(&lf));
    bool drawn = false;
    if (font && row.SetSize(job.Row.Width, job.Row.Height) && row.DC()) {
      TEXTMETRICW tm{};
      {
        SelectGuard sel(row.DC(), font.get());
        ::GetTextMetricsW(row.DC(), &tm);
      }
      PaintPlainRow(row, job.Row, font.get(), tm.tmHeight);
      drawn = true;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (drawn && generation == generation_) done_.emplace_back(std::move(job.Key), row.Pixels());
      busy_.store(false);
      inHand_.clear();
    }
    if (drawn) ++painted_;
    changed_.notify_all();
  }
}

}  // namespace glyphora
