#include "fontlist/font_prepare.h"

#include <algorithm>
#include <future>
#include <system_error>

namespace glyphora {

namespace {
struct Prepared {
  std::vector<const TFontClass*> Order;
  std::unique_ptr<TFontWarmUp> WarmUp;
};

// Used on the thread that calls the functions below; the worker's results
// come through the future.
struct PreparedState {
  std::future<Prepared> Pending;
  std::vector<const TFontClass*> Order;
  std::unique_ptr<TFontWarmUp> WarmUp;
  bool Collected = false;
};

// Made after the font table and so destroyed before it: a worker still
// running when the program ends is waited for while the table exists.
PreparedState& State() {
  FontsArray();
  static PreparedState state;
  return state;
}

std::vector<const TFontClass*> SortedTable() {
  std::vector<const TFontClass*> order;
  const TFontsArray& table = FontsArray();
  order.reserve(table.size());
  for (const auto& f : table) order.push_back(f.get());
  SortFamilies(order);
  return order;
}

std::unique_ptr<TFontWarmUp> WarmUpFirst(const std::vector<const TFontClass*>& order, const LOGFONTW& look,
                                         size_t rows) {
  std::vector<std::wstring> faces;
  for (size_t i = 0; i < order.size() && faces.size() < rows; ++i) faces.push_back(order[i]->FntName);
  auto warmUp = std::make_unique<TFontWarmUp>();
  warmUp->Start(faces, look);
  return warmUp;
}

Prepared Prepare(const LOGFONTW& look, size_t rows) {
  Prepared p;
  p.Order = SortedTable();
  p.WarmUp = WarmUpFirst(p.Order, look, rows);
  return p;
}

// Takes the worker's results over, once; sorts here when there are none.
PreparedState& Collected() {
  PreparedState& s = State();
  if (s.Collected) return s;
  s.Collected = true;
  if (s.Pending.valid()) {
    try {
      Prepared p = s.Pending.get();
      s.Order = std::move(p.Order);
      s.WarmUp = std::move(p.WarmUp);
      return s;
    } catch (const std::exception&) {
      // The worker failed: sorted here instead, and nothing warmed up.
    }
  }
  s.Order = SortedTable();
  return s;
}
}  // namespace

void SortFamilies(std::vector<const TFontClass*>& families) {
  const LCID locale = ::GetUserDefaultLCID();
  std::stable_sort(families.begin(), families.end(), [locale](const TFontClass* a, const TFontClass* b) {
    return ::CompareStringW(locale, NORM_IGNORECASE, a->FntName.c_str(), -1, b->FntName.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
}

void PrepareFontList(const LOGFONTW& look, size_t rows) {
  PreparedState& s = State();  // the table is built here, not on the worker
  if (s.Pending.valid()) return;  // under way
  if (s.Collected) {
    // The order is known already: only the fonts are made ahead.
    s.WarmUp = WarmUpFirst(s.Order, look, rows);
    return;
  }
  try {
    s.Pending = std::async(std::launch::async, &Prepare, look, rows);
  } catch (const std::system_error&) {
    // No thread to be had: the order is sorted when it is first asked for.
  }
}

const std::vector<const TFontClass*>& SortedFontsArray() { return Collected().Order; }

std::unique_ptr<TFontWarmUp> TakePreparedWarmUp(const std::vector<std::wstring>& faces, const LOGFONTW& look) {
  std::unique_ptr<TFontWarmUp> w = std::move(Collected().WarmUp);
  if (w && !w->Begins(faces, look)) w.reset();
  return w;
}

}  // namespace glyphora
