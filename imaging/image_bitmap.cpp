#include "imaging/image_bitmap.h"

#include <atomic>
#include <mutex>

#include "imaging/image_decoder.h"

namespace glyphora {

struct TImageBitmap::TState {
  std::shared_ptr<TBitmap32> pixels;  // shared with whoever handed in a ready bitmap
  std::vector<uint8_t> bytes;  // the file, until it is decoded
  int32_t width = 0, height = 0;
  TFinish finish = nullptr;
  std::once_flag once;
  std::atomic<bool> pending{false};
};

TImageBitmap::TImageBitmap(std::shared_ptr<TBitmap32> ready) {
  if (!ready) return;
  state_ = std::make_shared<TState>();
  state_->width = ready->Width();
  state_->height = ready->Height();
  state_->pixels = std::move(ready);
}

TImageBitmap TImageBitmap::Deferred(std::vector<uint8_t> bytes, int32_t width, int32_t height, TFinish finish) {
  TImageBitmap b;
  b.state_ = std::make_shared<TState>();
  b.state_->bytes = std::move(bytes);
  b.state_->width = width;
  b.state_->height = height;
  b.state_->finish = finish;
  b.state_->pixels = std::make_shared<TBitmap32>();
  b.state_->pending = true;
  return b;
}

TBitmap32* TImageBitmap::get() const {
  if (!state_) return nullptr;
  TState& s = *state_;
  if (s.pending.load(std::memory_order_acquire)) {
    // Nothing leaves this block: a failure of any kind (a damaged file, no
    // memory for the pixels, an error of the codec or of the finishing step)
    // gives an empty image that draws nothing, and the once-flag is then set
    // as for a success, so the file is not decoded again on the next paint.
    std::call_once(s.once, [&s]() noexcept {
      TBitmap32& px = *s.pixels;
      try {
        TImageDecoder* decoder = DefaultImageDecoder();
        if (decoder) px = decoder->Decode(s.bytes);
        if (px.Width() != s.width || px.Height() != s.height) px = TBitmap32();
        if (s.finish && !px.Empty()) s.finish(px);
      } catch (...) {
        px = TBitmap32();
      }
      s.bytes = std::vector<uint8_t>();
      s.pending.store(false, std::memory_order_release);
    });
  }
  return s.pixels.get();
}

int32_t TImageBitmap::Width() const {
  if (!state_) return 0;
  return Decoded() ? state_->pixels->Width() : state_->width;
}

int32_t TImageBitmap::Height() const {
  if (!state_) return 0;
  return Decoded() ? state_->pixels->Height() : state_->height;
}
bool TImageBitmap::Decoded() const { return state_ && !state_->pending.load(std::memory_order_acquire); }

}  // namespace glyphora
