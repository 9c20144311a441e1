// Skin loads cost memory in proportion to the skin, whatever its text says:
// every input of the fuzz corpora (crafted packages and options texts among
// them) fails with a skin error and keeps the skin loaded before, or loads
// within the load's budget. This program counts what operator new hands out.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>
#include <string>

#include "skin/core/load_budget.h"
#include "skin/core/skin_content.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

std::atomic<size_t> g_live{0}, g_peak{0};
// Past this many live bytes operator new refuses, so that a runaway load
// fails its test at once instead of taking the machine's memory.
std::atomic<size_t> g_cap{SIZE_MAX};
constexpr size_t kHeader = 16;  // keeps the size; malloc's alignment is kept too

void* Allocate(size_t n) {
  const size_t live = g_live += n;
  if (live > g_cap) {
    g_live -= n;
    throw std::bad_alloc();
  }
  for (size_t peak = g_peak; live > peak && !g_peak.compare_exchange_weak(peak, live);) {
  }
  void* p = std::malloc(n + kHeader);
  if (!p) {
    g_live -= n;
    throw std::bad_alloc();
  }
  *static_cast<size_t*>(p) = n;
  return static_cast<char*>(p) + kHeader;
}

void Release(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  g_live -= *reinterpret_cast<size_t*>(block);
  std::free(block);
}

// What a load took at its peak above what was live before it.
class TPeakMeter {
 public:
  TPeakMeter() : base_(g_live) {
    g_peak = base_;
    g_cap = base_ + (size_t{1} << 30);
  }
  ~TPeakMeter() { g_cap = SIZE_MAX; }
  size_t Peak() const { return g_peak - base_; }

 private:
  size_t base_;
};

Bytes ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::filesystem::path kCorpus = GLYPHORA_FUZZ_CORPUS;

// A small good skin, loaded before each input.
Bytes GoodPackage() {
  return WritePackage({{"Options.dat", ToBytes("[GLOBALINFO]\nVERSION=7.0\n[PANEL]\nCOLOR=255\n[EDIT]\nSTATES=1\n")}});
}

// The bytes a load may take: the package's members inflated, the options
// text copied once more while it is read, and the budget of the tables and
// records built from it (twice: a table that grows holds its old and new
// memory for a moment), and the decoded pictures it allows.
size_t Bound(size_t inflated, size_t optionsSize) {
  const TLoadBudget budget(optionsSize);
  return 2 * inflated + 2 * budget.Limit() + budget.ImageLimit();
}

}  // namespace

void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }

TEST(LoadBudget, CorpusPackagesFailCleanlyOrLoadWithinBounds) {
  // How the crafted inputs must end; the others may go either way.
  const std::pair<const char*, bool> known[] = {
      {"gradient-inherited-by-1000-sections.asz", true}, {"hot-gradient-inherited-down-a-chain.asz", true},
      {"options-1m-empty-sections.asz", false},          {"options-64mb-of-newlines.asz", false},
      {"options-2mb-of-key-lines.asz", false},          {"image-named-by-200-keys.asz", true}};
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "fuzz_package")) {
    const Bytes bytes = ReadFile(entry.path());
    const std::string name = entry.path().filename().string();
    TacSkinConvertor probe;
    size_t inflated = 0, options = 0;
    try {
      probe.ReadPackage(bytes);
      for (const TacImageItem& f : probe.Files) inflated += f.FileStream.size();
      options = probe.Options ? probe.Options->size() : 0;
      inflated += options;
    } catch (const ESkinError&) {
    }
    probe = TacSkinConvertor();

    TSkinContent skin;
    skin.LoadFromPackage(GoodPackage());
    const std::vector<std::string> before = skin.GetSkinSections();
    bool loaded = false;
    size_t peak = 0;
    {
      TPeakMeter meter;
      try {
        skin.LoadFromPackage(bytes);
        loaded = true;
      } catch (const ESkinError& e) {
        EXPECT_GT(std::string(e.what()).size(), 10u) << name;
      }
      peak = meter.Peak();
    }
    EXPECT_LE(peak, Bound(inflated, options)) << name;
    if (!loaded) {
      EXPECT_EQ(skin.GetSkinSections(), before) << name;  // the previous skin stays
    }
    for (const auto& [file, loads] : known) {
      if (name == file) {
        EXPECT_EQ(loaded, loads) << name;
      }
    }
    ++files;
  }
  EXPECT_GE(files, 6);
}

TEST(LoadBudget, CorpusOptionsTextsFailCleanlyOrLoadWithinBounds) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "fuzz_options")) {
    const Bytes bytes = ReadFile(entry.path());
    const std::string text(bytes.begin(), bytes.end());
    TSkinContent skin;
    TEmptySource none;
    size_t peak = 0;
    {
      TPeakMeter meter;
      try {
        skin.Load(text, none);
      } catch (const ESkinError&) {
      }
      peak = meter.Peak();
    }
    EXPECT_LE(peak, Bound(text.size(), text.size())) << entry.path().filename();
    ++files;
  }
  EXPECT_GE(files, 6);
}

TEST(LoadBudget, InheritedGradientsAreOneCopy) {
  TSkinContent skin;
  skin.LoadFromPackage(ReadFile(kCorpus / "fuzz_package" / "gradient-inherited-by-1000-sections.asz"));
  const TsGeneralData& base = skin.gd[size_t(skin.GetSkinIndex("AMPBASE"))];
  ASSERT_GT(base.GradientArray.size(), 1000u);
  for (const char* child : {"AMP0", "AMP999"}) {
    const TsGeneralData& g = skin.gd[size_t(skin.GetSkinIndex(child))];
    EXPECT_EQ(g.GradientData.Identity(), base.GradientData.Identity());
    EXPECT_EQ(g.Props[1].GradientArray.Identity(), base.HotGradientArray.Identity());
  }
}

TEST(LoadBudget, APictureNamedByManyKeysIsDecodedOnceAndPicturesCountInTheBudget) {
  TBitmap32 pic(64, 32);
  pic.Fill(0xFF336699);
  const Bytes bmp = WriteBmp(pic, 24);
  std::string text = "[GLOBALINFO]\nVERSION=7.0\n[A]\n";
  for (int i = 0; i < 50; ++i) {
    const std::string n = std::to_string(i);
    text.append("K").append(n).append("=!PIC.BMP!1!0!0\nOLD").append(n).append("=pic.bmp\n");
  }
  TSkinContent skin;
  skin.LoadFromPackage(WritePackage({{"Options.dat", ToBytes(text)}, {"PIC.BMP", bmp}}));
  std::set<const void*> pictures;
  for (const TsMaskData& m : skin.ma)
    if (m.Bmp) pictures.insert(m.Bmp.Identity());
  EXPECT_EQ(skin.ma.size(), 100u);
  EXPECT_LE(pictures.size(), 2u) << "once for each way of naming it";

  // Three pictures of 8 KB each against 20 KB: the load fails and the skin stays.
  const Bytes three = WritePackage({{"Options.dat", ToBytes("[GLOBALINFO]\nVERSION=7.0\n[B]\nA=!A.BMP!1!0!0\n"
                                                            "B=!B.BMP!1!0!0\nC=!C.BMP!1!0!0\n")},
                                    {"A.BMP", bmp}, {"B.BMP", bmp}, {"C.BMP", bmp}});
  TSkinLoadOptions tight;
  tight.ImageBytesLimit = 20 << 10;
  EXPECT_THROW(skin.LoadFromPackage(three, tight), ESkinError);
  EXPECT_EQ(skin.ma.size(), 100u);
  skin.LoadFromPackage(three);
  EXPECT_EQ(skin.ma.size(), 3u);
}
