// The own bitmap of a skin image, shared by every copy of the image record.
// It is either ready when the skin loads, or held as the bytes of a PNG or
// JPEG file and decoded the first time it is drawn: most of a skin's
// separate images (glows, large textures) are never drawn in a session, and
// decoding them all made up most of a skin load's time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/bitmap32.h"

namespace glyphora {

class TImageBitmap {
 public:
  // Runs once on freshly decoded pixels (for example the clean-up of
  // transparent white that skin PNGs get).
  using TFinish = void (*)(TBitmap32&);

  TImageBitmap() = default;
  TImageBitmap(std::nullptr_t) {}
  // A bitmap that is ready, shared with the caller (not copied).
  TImageBitmap(std::shared_ptr<TBitmap32> ready);

  // Keeps the file's bytes and decodes them with the process-wide decoder
  // (DefaultImageDecoder) on first use. width and height are the file's own
  // (read from its header) and are known without decoding. A decode that
  // fails in any way (a damaged file, memory running out, no decoder in the
  // process) gives an empty bitmap, once: the image then draws nothing and is
  // not decoded again. Nothing is raised to the painter.
  static TImageBitmap Deferred(std::vector<uint8_t> bytes, int32_t width, int32_t height,
                               TFinish finish = nullptr);

  explicit operator bool() const { return state_ != nullptr; }
  friend bool operator==(const TImageBitmap& a, std::nullptr_t) { return !a.state_; }

  // The pixels, decoded now if they were not yet.
  TBitmap32* get() const;
  TBitmap32& operator*() const { return *get(); }
  TBitmap32* operator->() const { return get(); }

  // Size without decoding (the file's own until it is decoded).
  int32_t Width() const;
  int32_t Height() const;
  bool Decoded() const;
  // The same for every copy of one image (copies share their pixels); null
  // for none. Does not decode.
  const void* Identity() const { return state_.get(); }

 private:
  struct TState;
  std::shared_ptr<TState> state_;
};

}  // namespace glyphora
