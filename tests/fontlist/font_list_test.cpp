#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "fontlist/font_warmup.h"
#include "fontlist/sFontCtrls.h"
#include "framework/forms.h"
#include "gui_test_support.h"

using namespace glyphora;

TEST(FontTable, OnlyASingleExactTypeBitNamesAKind) {
  EXPECT_EQ(FontTypeFromBits(RASTER_FONTTYPE), FontTypes::RASTER);
  EXPECT_EQ(FontTypeFromBits(DEVICE_FONTTYPE), FontTypes::PS);
  EXPECT_EQ(FontTypeFromBits(TRUETYPE_FONTTYPE), FontTypes::TTF);
  EXPECT_EQ(FontTypeFromBits(0), FontTypes::UNKNOWN);
  EXPECT_EQ(FontTypeFromBits(TRUETYPE_FONTTYPE | DEVICE_FONTTYPE), FontTypes::UNKNOWN);
  EXPECT_EQ(FontTypeFromBits(8), FontTypes::UNKNOWN);
}

TEST(FontTable, FamiliesAreKeptOnceIgnoringCaseInFirstSeenOrder) {
  TFontsArray t;
  EXPECT_TRUE(AddFontFamily(t, L"Zeta", TRUETYPE_FONTTYPE));
  EXPECT_TRUE(AddFontFamily(t, L"alpha", RASTER_FONTTYPE));
  EXPECT_FALSE(AddFontFamily(t, L"ALPHA", TRUETYPE_FONTTYPE));
  EXPECT_TRUE(AddFontFamily(t, L"\u00e9tude", TRUETYPE_FONTTYPE));
  EXPECT_FALSE(AddFontFamily(t, L"\u00c9TUDE", TRUETYPE_FONTTYPE)) << "case beyond ASCII";
  EXPECT_FALSE(AddFontFamily(t, L"", TRUETYPE_FONTTYPE));
  EXPECT_TRUE(AddFontFamily(t, L"@Vertical", TRUETYPE_FONTTYPE)) << "nothing is excluded by name";
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0]->FntName, L"Zeta");
  EXPECT_EQ(t[1]->FntType, FontTypes::RASTER) << "the first report of a family wins";
}

TEST(FontTable, TheScreenHasFamiliesOfEveryKindAndNoDuplicates) {
  const TFontsArray& t = FontsArray();
  ASSERT_FALSE(t.empty());
  bool raster = false, tt = false;
  for (size_t i = 0; i < t.size(); ++i) {
    raster |= t[i]->FntType == FontTypes::RASTER;
    tt |= t[i]->FntType == FontTypes::TTF;
    for (size_t j = i + 1; j < t.size(); ++j) ASSERT_NE(CompareTextLocale(t[i]->FntName, t[j]->FntName), 0);
  }
  EXPECT_TRUE(raster);
  EXPECT_TRUE(tt);
}

namespace {
bool HasFamily(const TFontsArray& t, const std::wstring& name) {
  return std::any_of(t.begin(), t.end(), [&](const auto& f) { return f->FntName == name; });
}
}  // namespace

TEST(FontTable, IsEnumeratedOncePerProcess) {
  const size_t count = FontsArray().size();
  // A family that appears later, for this process only: Wine's Marlett with
  // its names rewritten (same length, so the tables stay valid).
  wchar_t windows[MAX_PATH], temp[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  ::GetTempPathW(MAX_PATH, temp);
  std::ifstream in(std::filesystem::path(windows) / L"Fonts" / L"marlett.ttf", std::ios::binary);
  std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(font.empty());
  const std::string from16("\0M\0a\0r\0l\0e\0t\0t", 14), to16("\0T\0b\0l\0O\0n\0c\0e", 14);
  for (auto [from, to] : {std::pair{from16, to16}, std::pair{std::string("Marlett"), std::string("TblOnce")}})
    for (size_t at = font.find(from); at != std::string::npos; at = font.find(from, at)) font.replace(at, to.size(), to);
  const std::filesystem::path file = std::filesystem::path(temp) / L"glyphora_once.ttf";
  std::ofstream(file, std::ios::binary).write(font.data(), static_cast<std::streamsize>(font.size()));
  ASSERT_GT(::AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr), 0);
  EXPECT_TRUE(HasFamily(EnumerateFontFamilies(), L"TblOnce")) << "a new enumeration sees it";
  EXPECT_FALSE(HasFamily(FontsArray(), L"TblOnce"));
  EXPECT_EQ(FontsArray().size(), count);
  ::RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
  std::filesystem::remove(file);
}

namespace {
// Exposes row drawing so the tests can look at the pixels.
// Fonts realised ahead are handed over once each, only for the faces and
// the look asked for, with the cell height the caller would measure.
TEST(FontWarmUp, HandsOverEachFaceOnceInTheLookAskedFor) {
  const long before = UniqueFont::LiveCount();
  const LOGFONTW base = MakeLogFont(L"", -16, 0, DEFAULT_CHARSET);
  LOGFONTW taller = base;
  taller.lfHeight = -20;
  TFontWarmUp warm;
  warm.Start({L"Tahoma", L"Courier New", L"Wingdings"}, base);
  warm.Wait();
  struct Case { const char* what; const wchar_t* face; const LOGFONTW& look; bool handed; } cases[] = {
      {"a face not asked for", L"Arial", base, false},
      {"another height", L"Tahoma", taller, false},
      {"the face asked for", L"Tahoma", base, true},
      {"a face taken already", L"Tahoma", base, false},
      {"another face asked for", L"Courier New", base, true}};
  std::vector<UniqueFont> taken;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UniqueFont font;
    int height = 0;
    ASSERT_EQ(warm.Take(c.face, c.look, font, height), c.handed);
    if (!c.handed) continue;
    LOGFONTW got{};
    ASSERT_TRUE(::GetObjectW(font.get(), sizeof(got), &got));
    EXPECT_STREQ(got.lfFaceName, c.face);
    EXPECT_EQ(got.lfHeight, base.lfHeight);
    TDibBitmap bmp(8, 8);
    TEXTMETRICW tm{};
    SelectGuard sel(bmp.DC(), font.get());
    ::GetTextMetricsW(bmp.DC(), &tm);
    EXPECT_EQ(height, tm.tmHeight);
    taken.push_back(std::move(font));
  }
  warm.Drop();
  EXPECT_EQ(UniqueFont::LiveCount() - before, 2) << "the font not taken is freed";
}

// A list takes over the fonts made ahead for it only when they are its
// first faces, in its order and look.
TEST(FontWarmUp, BeginsOnlyWithTheFacesInOrderInTheSameLook) {
  const LOGFONTW base = MakeLogFont(L"", -16, 0, DEFAULT_CHARSET);
  LOGFONTW bold = base;
  bold.lfWeight = FW_BOLD;
  TFontWarmUp warm;
  warm.Start({L"Tahoma", L"Courier New", L"Wingdings"}, base);
  struct Case { std::vector<std::wstring> faces; const LOGFONTW& look; bool begins; } cases[] = {
      {{L"Tahoma", L"Courier New"}, base, true},
      {{L"Tahoma", L"Courier New", L"Wingdings"}, base, true},
      {{L"Courier New", L"Tahoma"}, base, false},
      {{L"Tahoma", L"Courier New", L"Wingdings", L"Arial"}, base, false},
      {{L"Tahoma"}, bold, false}};
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(warm.Begins(cases[i].faces, cases[i].look), cases[i].begins) << i;
}

class TestFontList : public TsFontListBox {
 public:
  using TsFontListBox::TsFontListBox;
  using TsFontListBox::DrawItem;
};

class FontListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    AddFontFamily(table, L"Tahoma", TRUETYPE_FONTTYPE);
    AddFontFamily(table, L"System", RASTER_FONTTYPE);
    AddFontFamily(table, L"Courier", RASTER_FONTTYPE);
    AddFontFamily(table, L"Odd", TRUETYPE_FONTTYPE | DEVICE_FONTTYPE);
    AddFontFamily(table, L"Device", DEVICE_FONTTYPE);
    AddFontFamily(table, L"Wingdings", TRUETYPE_FONTTYPE);
    form = std::make_unique<TForm>(nullptr);
    form->HandleNeeded();
    form->BeginLoading();
    list = new TestFontList(form.get());
    list->FontTable = &table;
    list->Font().SetHeight(-16);
    list->SetItemHeight(22);
    list->SetBounds(0, 0, 250, 300);
    list->SetParent(form.get());
    form->LoadedAll();
  }
  std::vector<std::wstring> Names() { return list->Items().ToVector(); }
  // The pixels of one row drawn into a bitmap of its own.
  std::vector<uint32_t> Render(int index, unsigned state = 0) {
    TDibBitmap bmp(250, 22);
    list->DrawItem(index, RECT{0, 0, 250, 22}, state, bmp.DC());
    ::GdiFlush();
    std::vector<uint32_t> px;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 250; ++x) px.push_back(bmp.Pixels().Pixel(x, y) & 0xFFFFFF);
    return px;
  }
  TFontsArray table;
  std::unique_ptr<TForm> form;
  TestFontList* list = nullptr;
};
}  // namespace

TEST_F(FontListTest, FillsSortedFromTheTableOnLoadKeepingItsObjects) {
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Courier", L"Device", L"Odd", L"System", L"Tahoma", L"Wingdings"}));
  EXPECT_EQ(list->ItemHeight(), 22) << "the definition's item height wins over the font";
  int odd = list->Items().IndexOf(L"Odd");
  EXPECT_EQ(list->FontAt(odd), table[3].get());
  EXPECT_EQ(list->FontAt(odd)->FntType, FontTypes::UNKNOWN);
  EXPECT_EQ(list->FontAt(99), nullptr);
}

// The installed families are sorted on a thread ahead of time: a list
// filled from that order holds what one filled from the table holds, under
// every filter.
TEST_F(FontListTest, PreparedInstalledFamiliesFillTheListAsTheTableDoes) {
  PrepareFontList(MakeLogFont(L"", -16, 0, DEFAULT_CHARSET), 4);
  auto* fromTable = new TestFontList(form.get());
  fromTable->OnValidateFont = [](TComponent*, TFontClass*, bool&) {};  // goes through the table
  fromTable->SetParent(form.get());
  list->FontTable = nullptr;
  for (TFilterOptions filter : {AllFilterOptions, TFilterOptions{ShowTrueType}, TFilterOptions{ShowRaster | ShowPostScript}}) {
    for (TsFontListBox* l : {static_cast<TsFontListBox*>(list), static_cast<TsFontListBox*>(fromTable)}) {
      l->SetFilterOptions(filter);
      l->FillFontList();
    }
    EXPECT_FALSE(Names().empty());
    EXPECT_EQ(Names(), fromTable->Items().ToVector()) << filter;
  }
}

TEST_F(FontListTest, ChangingAutoHideScrollAfterLoadingKeepsTheFamilies) {
  const auto names = Names();
  list->SetItemIndex(2);
  list->SetAutoHideScroll(false);
  EXPECT_TRUE(::GetWindowLongW(list->WindowHandle(), GWL_STYLE) & LBS_DISABLENOSCROLL);
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(list->FontAt(list->Items().IndexOf(L"Odd")), table[3].get());
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(FontListTest, FilterAndValidationHideFamiliesFromThisListOnly) {
  list->SetFilterOptions(ShowTrueType | ShowPostScript);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Device", L"Odd", L"Tahoma", L"Wingdings"}));
  list->SetFilterOptions(0);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Odd"})) << "unknown kinds always show";
  list->OnValidateFont = [](TComponent*, TFontClass* f, bool& accept) { accept = f->FntName != L"Tahoma"; };
  list->SetFilterOptions(AllFilterOptions);
  EXPECT_EQ(list->Items().IndexOf(L"Tahoma"), -1);
  EXPECT_EQ(table.size(), 6u);
}

TEST_F(FontListTest, ALaterFontChangeSetsTheRowHeightFromTheText) {
  list->Font().SetHeight(-30);
  EXPECT_GT(list->ItemHeight(), 30);
  EXPECT_EQ(::SendMessageW(list->WindowHandle(), LB_GETITEMHEIGHT, 0, 0), list->ItemHeight());
}

TEST_F(FontListTest, RowsDrawnBeforeFollowTheirItemsWhenItemsChange) {
  const auto first = Render(0), second = Render(1);  // both now cached
  ASSERT_NE(first, second);
  list->Items().Delete(0);
  EXPECT_EQ(Render(0), second) << "row 0 now shows what row 1 showed";
  list->Items().Add(L"No font object");
  EXPECT_EQ(Render(list->Items().IndexOf(L"No font object")), Render(99)) << "an item without a font draws only the background";
}

TEST_F(FontListTest, FamilyFontsAreBoundedAndFreedWhenDropped) {
  TFontsArray many;
  const size_t n = 3 * TsFontListBox::kMaxFamilyFonts;
  for (size_t i = 0; i < n; ++i) AddFontFamily(many, L"Family " + std::to_wstring(1000 + i), TRUETYPE_FONTTYPE);
  list->FontTable = &many;
  list->FillFontList();
  list->WarmUp().Drop();  // counted here: the fonts the rows make themselves
  const long before = UniqueFont::LiveCount();
  for (int i = 0; i < static_cast<int>(n); ++i) Render(i);
  EXPECT_LE(UniqueFont::LiveCount() - before, static_cast<long>(TsFontListBox::kMaxFamilyFonts));
  EXPECT_GT(UniqueFont::LiveCount() - before, 0) << "recent families keep their fonts";
  list->Font().SetHeight(-20);
  EXPECT_LE(UniqueFont::LiveCount(), before + 1) << "a new list font drops them all";
}

// Another program may set any item height: Windows keeps it to a byte, and
// the finished rows are kept by their bytes, not their number.
TEST_F(FontListTest, AHugeItemHeightIsHeldToAByteAndTheRowCacheToItsBytes) {
  TFontsArray many;
  for (int i = 0; i < 120; ++i) AddFontFamily(many, L"Family " + std::to_wstring(1000 + i), TRUETYPE_FONTTYPE);
  list->FontTable = &many;
  list->FillFontList();
  const HWND wnd = list->WindowHandle();
  ::SendMessageW(wnd, LB_SETITEMHEIGHT, 0, 65535);
  EXPECT_EQ(::SendMessageW(wnd, LB_GETITEMHEIGHT, 0, 0), TCustomListBox::kMaxItemHeight);
  EXPECT_EQ(list->ItemHeight(), TCustomListBox::kMaxItemHeight);
  list->SetItemHeight(1000);
  EXPECT_EQ(list->ItemHeight(), TCustomListBox::kMaxItemHeight);
  // Rows of a wide list at that height: 3 MB each.
  TDibBitmap bmp(3000, TCustomListBox::kMaxItemHeight);
  for (int i = 0; i < 80; ++i) {
    list->DrawItem(i, RECT{0, 0, bmp.Width(), bmp.Height()}, 0, bmp.DC());
    ASSERT_LE(list->RowCacheBytes(), TsFontListBox::kMaxCachedRowBytes);
  }
  EXPECT_GT(list->RowCacheBytes(), 0u) << "rows that fit are still kept";
}

// While the program is idle the pages around the view are drawn on the row
// painter's thread: those rows then cost this thread no drawing, and once
// they are done nothing further is drawn.
TEST_F(FontListTest, ThePagesAroundTheViewAreDrawnAheadWhileIdleAndThenItStops) {
  TFontsArray many;
  for (int i = 0; i < 80; ++i) AddFontFamily(many, L"Family " + std::to_wstring(1000 + i), TRUETYPE_FONTTYPE);
  list->FontTable = &many;
  list->FillFontList();
  list->WarmUp().Drop();
  RECT client{};
  ::GetClientRect(list->WindowHandle(), &client);
  const int page = client.bottom / 22;
  ASSERT_GT(page, 3);
  Render(0);  // the first row drawn; nothing above the view
  auto idle = [](int ms) {
    for (const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms); ::GetTickCount() < end;) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      Application()->ProcessMessages();
    }
  };
  idle(300);
  list->RowPainter().Wait();
  const long painted = list->RowPainter().RowsPainted();
  EXPECT_GE(painted, page) << "at least the next page";
  const int composed = list->RowsComposed();
  for (int i = page + 1; i <= 2 * page; ++i) Render(i);
  EXPECT_EQ(list->RowsComposed(), composed) << "the next page came from the rows drawn ahead";
  idle(200);
  EXPECT_EQ(list->RowPainter().RowsPainted(), painted) << "nothing further is drawn once the pages are ready";
  EXPECT_EQ(list->RowPainter().Pending(), 0u);
}

// Rows drawn with the fonts realised ahead on a thread, a row kept from
// before and a row drawn ahead while the program was idle are the pixels
// the same row drawn fresh has.
TEST_F(FontListTest, KeptAndDrawnAheadRowsAreThePixelsOfFreshOnes) {
  list->FontTable = &FontsArray();
  list->FillFontList();
  RECT client{};
  ::GetClientRect(list->WindowHandle(), &client);
  const int page = client.bottom / 22, ahead = page + 1;
  ASSERT_GT(list->Items().Count(), ahead);
  // The first page's fonts were realised on a thread as the list was
  // filled: its rows take them and make none of their own.
  list->WarmUp().Wait();
  const long warmed = UniqueFont::LiveCount();
  const auto first = Render(0), last = Render(page - 1);
  EXPECT_EQ(UniqueFont::LiveCount(), warmed);
  for (const DWORD end = ::GetTickCount() + 1500; ::GetTickCount() < end;) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Application()->ProcessMessages();
  }
  const long fonts = UniqueFont::LiveCount();
  const auto drawnAhead = Render(ahead), kept = Render(0);
  EXPECT_EQ(UniqueFont::LiveCount(), fonts) << "both came from the rows kept";
  // A list of its own, with nothing kept, draws them fresh.
  auto* other = new TestFontList(form.get());
  other->FontTable = &FontsArray();
  other->Font().SetHeight(-16);
  other->SetItemHeight(22);
  other->SetBounds(0, 0, 250, 300);
  other->SetParent(form.get());
  other->FillFontList();
  other->WarmUp().Drop();
  auto fresh = [&](int index) {
    TDibBitmap bmp(250, 22);
    other->DrawItem(index, RECT{0, 0, 250, 22}, 0, bmp.DC());
    ::GdiFlush();
    std::vector<uint32_t> px;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 250; ++x) px.push_back(bmp.Pixels().Pixel(x, y) & 0xFFFFFF);
    return px;
  };
  EXPECT_EQ(drawnAhead, fresh(ahead));
  EXPECT_EQ(kept, fresh(0));
  EXPECT_EQ(kept, first);
  EXPECT_EQ(last, fresh(page - 1));
}

TEST_F(FontListTest, RowsShowTheKindGlyphAndTheNameInItsOwnFamily) {
  TDibBitmap bmp(250, 22);
  RECT row{0, 0, 250, 22};
  auto render = [&](int index, unsigned state) {
    list->DrawItem(index, row, state, bmp.DC());
    ::GdiFlush();
    std::vector<uint32_t> px;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 250; ++x) px.push_back(bmp.Pixels().Pixel(x, y) & 0xFFFFFF);
    return px;
  };
  int wingdings = list->Items().IndexOf(L"Wingdings");
  int tahoma = list->Items().IndexOf(L"Tahoma");
  auto own = render(wingdings, 0);
  // The glyph cell is not plain white: the resource glyph was drawn.
  int glyphInk = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) glyphInk += own[static_cast<size_t>(y * 250 + x)] != 0xFFFFFF;
  EXPECT_GT(glyphInk, 10);
  list->SetDrawFont(false);
  auto plain = render(wingdings, 0);
  EXPECT_NE(own, plain) << "with DrawFont off the name is written in the list's font";
  // Selected rows use the highlight colour.
  auto selected = render(tahoma, odSelected);
  EXPECT_EQ(selected[249], ColorToRGB(clHighlight) == 0 ? 0u
            : ((ColorToRGB(clHighlight) & 0xFF) << 16 | (ColorToRGB(clHighlight) & 0xFF00) |
               (ColorToRGB(clHighlight) >> 16 & 0xFF)));
  // An index outside the list draws only the background.
  auto none = render(99, 0);
  for (uint32_t p : none) ASSERT_EQ(p, 0xFFFFFFu);
  // The glyph cell is what the platform's transparent copy of the glyph
  // over the background gives.
  for (FontTypes kind : {FontTypes::TTF, FontTypes::RASTER, FontTypes::PS, FontTypes::UNKNOWN}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const int index = list->Items().IndexOf(kind == FontTypes::TTF      ? L"Tahoma"
                                            : kind == FontTypes::RASTER ? L"System"
                                            : kind == FontTypes::PS     ? L"Device"
                                                                        : L"Odd");
    const auto row = render(index, 0);
    TDibBitmap ref(16, 16);
    RECT cell{0, 0, 16, 16};
    ::FillRect(ref.DC(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    UniqueMemoryDC glyphDC(::CreateCompatibleDC(ref.DC()));
    HBITMAP glyph = FontTypeGlyph(kind);
    ASSERT_NE(glyph, nullptr);
    SelectGuard sel(glyphDC.get(), glyph);
    ::TransparentBlt(ref.DC(), 0, 0, 16, 16, glyphDC.get(), 0, 0, 16, 16, RGB(255, 255, 255));
    ::GdiFlush();
    int differ = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) differ += row[static_cast<size_t>(y * 250 + x)] != (ref.Pixels().Pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differ, 0);
  }
}
