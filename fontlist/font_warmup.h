// Realises fonts on a thread of their own ahead of the rows that show them.
// Under Wine the first use of a family reads and parses its file, about a
// millisecond a family; a list's first page at start-up would otherwise pay
// that inside its first paint, one row after the other, while the thread
// can do it as the window is still being built and shown.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/handles.h"

namespace glyphora {

class TFontWarmUp {
 public:
  TFontWarmUp() = default;
  TFontWarmUp(const TFontWarmUp&) = delete;
  TFontWarmUp& operator=(const TFontWarmUp&) = delete;
  // Stops after the face in hand and frees what was not taken.
  ~TFontWarmUp();

  // Realises each face as `base` (with that face name) on the thread, in
  // the order given, and draws its name once so its glyphs are made too.
  // A batch still running is stopped and dropped first.
  void Start(const std::vector<std::wstring>& faces, const LOGFONTW& base);
  // Hands over the font realised for `face` as `base`, and the height of
  // its text cell. While the thread is at that face this waits for it; a
  // face it has not reached yet is left to the caller (true is returned
  // only with a font). False for faces not asked for or another look.
  bool Take(const std::wstring& face, const LOGFONTW& base, UniqueFont& font, int& height);
  // Whether the batch realises `faces` first, in that order, as `base`.
  bool Begins(const std::vector<std::wstring>& faces, const LOGFONTW& base);
  // Waits until the thread has gone through its batch.
  void Wait();
  // Stops the thread after the face in hand and frees the fonts not taken.
  void Drop();

 private:
  enum class State { Waiting, Working, Done, Claimed };
  struct Item {
    std::wstring Face;
    State Stage = State::Waiting;
    UniqueFont Font;
    int Height = 0;
  };
  void Run();
  static bool SameLook(const LOGFONTW& a, const LOGFONTW& b);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Item> items_;
  LOGFONTW base_{};
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace glyphora
