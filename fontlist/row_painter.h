// Draws font-list rows on a thread of its own, ahead of the rows shown.
// A name drawn in a family the program has not drawn lately costs about half
// a millisecond under Wine (the family's face is loaded and hinted and its
// glyphs rasterised anew), so a page of new families is most of a page's
// time. The thread draws the pages next to the view while the list's thread
// is idle; the list takes finished rows into its row cache. Wine does that
// font work under one process-wide lock, so two threads at it go no faster
// than one, and a thread waiting for the other is slower still: the thread
// only works after the list has let it go (from a timer message, which comes
// only when no other message waits), and each message the list handles
// stops it again once the row in hand is done. Rows here are unselected rows
// only: their background is a plain colour, so nothing of the skin is read
// off the list's thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/bitmap32.h"
#include "fontlist/font_table.h"
#include "framework/graphics.h"

namespace glyphora {

// Everything an unselected row shows, independent of the window.
struct TPlainRow {
  std::wstring Name;
  FontTypes Type = FontTypes::UNKNOWN;
  TColor Back = 0, Text = 0;
  // Skinned, the name is centred on the glyph's band, else on the row.
  bool Skinned = false;
  int Width = 0, Height = 0;
};

// Composes an unselected row into `row` (already of the row's size): the
// background, the kind glyph and the name in `font` (whose text cell is
// `textHeight` high). The list's own rows and the thread's come from here.
void PaintPlainRow(TDibBitmap& row, const TPlainRow& plain, HFONT font, int textHeight);

class TRowPainter {
 public:
  struct Job {
    std::wstring Key;  // the list's row-cache key
    TPlainRow Row;
  };
  TRowPainter() = default;
  TRowPainter(const TRowPainter&) = delete;
  TRowPainter& operator=(const TRowPainter&) = delete;
  ~TRowPainter();

  // Replaces the rows waiting with `jobs`, drawn in that order, each in
  // `font` with the row's family as the face. Finished rows not yet
  // collected are kept; the row in hand is finished.
  void Queue(std::vector<Job> jobs, const LOGFONTW& font);
  // Forgets every row waiting or finished, and the one in hand once it is
  // done: what they show is out of date.
  void Cancel();
  // Hands over the rows finished since the last call.
  template <class F>
  void Collect(F&& take) {
    std::vector<std::pair<std::wstring, TBitmap32>> done;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done.swap(done_);
    }
    for (auto& [key, pixels] : done) take(key, std::move(pixels));
  }
  // For a row the list is about to draw itself: a row waiting is taken off
  // the queue (false, the caller draws it); the row in hand is waited for
  // and handed over with the finished ones (true, collect it).
  bool Claim(const std::wstring& key);
  // Stops the thread (nested): waits for the row in hand, and no row is
  // started until Go is called with no hold left.
  void Hold();
  void Release();
  // Lets the thread work through the rows waiting.
  void Go();
  // Rows waiting or in hand.
  size_t Pending();
  // Lets the thread go and waits until nothing is waiting or in hand (for
  // tests and benchmarks; never while the list holds it).
  void Wait();
  // Rows this thread has drawn in all.
  long RowsPainted() const { return painted_.load(); }

 private:
  void Run();
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  LOGFONTW font_{};
  std::wstring inHand_;
  // Holding and releasing is done for every message the list handles, so
  // it takes no lock unless a row is in hand: the thread checks the holds
  // after it marks itself busy, the list checks the mark after it holds.
  std::atomic<bool> busy_{false}, going_{false};
  std::atomic<int> holds_{0};
  uint64_t generation_ = 0;
  std::vector<std::pair<std::wstring, TBitmap32>> done_;
  bool stop_ = false;
  std::atomic<long> painted_{0};
  std::thread thread_;
};

}  // namespace glyphora
