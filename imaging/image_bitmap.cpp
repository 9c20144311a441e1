#include "imaging/image_bitmap.h"

#include <atomic>
#include <mutex>

#include "imaging/image_decoder.h"
#include "base/skin_error.h"

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
    std::call_once(s.once, [&s] {
      TBitmap32& px = *s.pixels;
      TImageDecoder* decoder = DefaultImageDecoder();
      try {
        if (decoder) px = decoder->Decode(s.bytes);
      } catch (const ESkinError&) {
        px = TBitmap32();  // damaged after all: the image draws nothing
      }
      if (px.Width() != s.width || px.Height() != s.height) px = TBitmap32();
      if (s.finish && !px.Empty()) s.finish(px);
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
