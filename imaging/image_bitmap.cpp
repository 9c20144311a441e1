#include "imaging/image_bitmap.h"

#include <atomic>
#include <mutex>

#include "imaging/image_decoder.h"
#include "skin/core/skin_error.h"

namespace glyphora {

struct TImageBitmap::TState {
  TBitmap32 pixels;
  std::vector<uint8_t> bytes;  // the file, until it is decoded
  int32_t width = 0, height = 0;
  TFinish finish = nullptr;
  std::once_flag once;
  std::atomic<bool> pending{false};
};

TImageBitmap::TImageBitmap(std::shared_ptr<TBitmap32> ready) {
  if (!ready) return;
  state_ = std::make_shared<TState>();
  state_->pixels = std::move(*ready);
  state_->width = state_->pixels.Width();
  state_->height = state_->pixels.Height();
}

TImageBitmap TImageBitmap::Deferred(std::vector<uint8_t> bytes, int32_t width, int32_t height, TFinish finish) {
  TImageBitmap b;
  b.state_ = std::make_shared<TState>();
  b.state_->bytes = std::move(bytes);
  b.state_->width = width;
  b.state_->height = height;
  b.state_->finish = finish;
  b.state_->pending = true;
  return b;
}

TBitmap32* TImageBitmap::get() const {
  if (!state_) return nullptr;
  TState& s = *state_;
  if (s.pending.load(std::memory_order_acquire)) {
    std::call_once(s.once, [&s] {
      TImageDecoder* decoder = DefaultImageDecoder();
      try {
        if (decoder) s.pixels = decoder->Decode(s.bytes);
      } catch (const ESkinError&) {
        s.pixels = TBitmap32();  // damaged after all: the image draws nothing
      }
      if (s.pixels.Width() != s.width || s.pixels.Height() != s.height) s.pixels = TBitmap32();
      if (s.finish && !s.pixels.Empty()) s.finish(s.pixels);
      s.bytes = std::vector<uint8_t>();
      s.pending.store(false, std::memory_order_release);
    });
  }
  return &s.pixels;
}

int32_t TImageBitmap::Width() const { return state_ ? state_->width : 0; }
int32_t TImageBitmap::Height() const { return state_ ? state_->height : 0; }
bool TImageBitmap::Decoded() const { return state_ && !state_->pending.load(std::memory_order_acquire); }

}  // namespace glyphora
