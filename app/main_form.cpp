#include "app/main_form.h"

#include "app/startup_trace.h"
#include "framework/application.h"
#include "skin/forms/sMessages.h"

namespace glyphora {

const wchar_t kAboutCaption[] = L"Glyphora Version " GLYPHORA_VERSION_WTEXT L" - Quillwork Software 2026";
const wchar_t kAboutText[] =
    L"Get more free software from Quillwork Software at www.quillwork-software.example";

namespace {
const wchar_t* const kSampleLines[] = {
    L"Glyphora lets you preview all your installed fonts",
    L"",
    L"Capital letters ...",
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    L"",
    L"Lower case ...",
    L"abcdefghijklmnopqrstuvwxyz",
    L"",
    L"Numbers ...",
    L"0123456789",
    L"",
    L"Symbols ...",
    L"~!@#$%^&*()+",
    L"",
    L"Type your own sample text here ...",
    L"",
};

constexpr TColor kLabelColor = 2171169;  // 0x212121
// The font list as designed: its font's height, its rows' and its own.
constexpr int kFontListFontHeight = -16;
constexpr int kFontListItemHeight = 22;
constexpr int kFontListHeight = 422;

void SetLabelFont(TsLabel* label, int height) {
  label->SetParentFont(false);
  TFont& f = label->Font();
  f.SetName(L"Tahoma");
  f.SetCharset(DEFAULT_CHARSET);
  f.SetStyle(0);
  f.SetColor(kLabelColor);
  f.SetHeight(height);
}

template <typename T>
T* Create(TComponent* owner, const wchar_t* name) {
  T* c = new T(owner);
  c->Name = name;
  return c;
}

template <typename T>
T* Place(T* c, TWinControl* parent, TAlign align, int l, int t, int w, int h) {
  c->SetBounds(l, t, w, h);
  c->SetAlign(align);
  c->SetParent(parent);
  return c;
}
}  // namespace

TForm1::TForm1(TComponent* owner, std::wstring settingsFile) : TForm(owner), settingsFile_(std::move(settingsFile)) {
  Application()->SetMainForm(Application()->MainForm() ? Application()->MainForm() : this);
  ReadDefinition();
}

void TForm1::PrepareFontList() {
  // The list's rows show each family in the list's height, upright.
  glyphora::PrepareFontList(MakeLogFont(L"", kFontListFontHeight, 0, DEFAULT_CHARSET),
                            static_cast<size_t>(kFontListHeight / kFontListItemHeight + 1));
}

void TForm1::ReadDefinition() {
  BeginLoading();
  Name = L"Form1";
  SetCaption(L"Glyphora");
  SetColor(clBtnFace);
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  Font().SetCharset(DEFAULT_CHARSET);
  Font().SetColor(clWindowText);
  Font().SetStyle(0);
  Constraints.MinWidth = 885;
  Constraints.MinHeight = 536;
  SetIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 16, 16, 0)));
  SetClientSize(869, 500);
  HandleNeeded();
  OnCreate = [this](TComponent* s) { FormCreate(s); };
  OnClose = [this](TComponent* s, TCloseAction& a) { FormClose(s, a); };
  OnResize = [this](TComponent* s) { FormResize(s); };

  StartupTrace("form window created");
  // Controls, in definition order: the order decides alignment and z-order.
  CreateMainArea();
  CreateSideArea();
  StartupTrace("controls created");
  CreateComponents();
  LoadedAll();
  StartupTrace("components loaded");
  DoCreate();
  StartupTrace("FormCreate done");
}

// The splitter, and the main panel with the sample text, the character map
// row and the grid.
void TForm1::CreateMainArea() {
  sSplitter1 = Place(Create<TsSplitter>(this, L"sSplitter1"), this, TAlign::alLeft, 250, 0, 6, 500);
  sSplitter1->SetEnabled(false);

  MainPanel = Place(Create<TsPanel>(this, L"MainPanel"), this, TAlign::alClient, 256, 0, 613, 500);
  MainPanel->SetCtl3D(true);
  MainPanel->SetTabOrder(1);

  TextViewer = Create<TsRichEdit>(this, L"TextViewer");
  TextViewer->ScrollBars = TScrollStyle::ssVertical;
  TextViewer->SetColor(clWhite);
  TextViewer->Font().SetName(L"Tahoma");
  TextViewer->Font().SetHeight(-11);
  TextViewer->Font().SetCharset(ANSI_CHARSET);
  TextViewer->Font().SetColor(clBlack);
  TextViewer->SetParentFont(false);
  TextViewer->SetTabOrder(0);
  Place(TextViewer, MainPanel, TAlign::alClient, 1, 1, 611, 327);

  Grid1 = Create<TStringGrid>(this, L"Grid1");
  Grid1->SetColCount(32);
  Grid1->SetRowCount(7);
  Grid1->DefaultColWidth = 18;
  Grid1->DefaultRowHeight = 18;
  Grid1->SetFixedCols(0);
  Grid1->SetFixedRows(0);
  Grid1->Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  Grid1->SetTabOrder(1);
  Grid1->OnDblClick = [this](TComponent* s) { Grid1DblClick(s); };
  Grid1->OnKeyDown = [this](TComponent* s, WORD& k, unsigned sh) { Grid1KeyDown(s, k, sh); };
  Grid1->OnSelectCell = [this](TComponent* s, int c, int r, bool& can) { Grid1SelectCell(s, c, r, can); };
  Place(Grid1, MainPanel, TAlign::alBottom, 1, 363, 611, 136);

  sPanel1 = Place(Create<TsPanel>(this, L"sPanel1"), MainPanel, TAlign::alBottom, 1, 328, 611, 35);
  sPanel1->SkinData->SetSkinSection("ALPHAEDIT");
  sPanel1->SetTabOrder(2);

  sLabel3 = Place(Create<TsLabel>(this, L"sLabel3"), sPanel1, TAlign::alNone, 8, 10, 71, 13);
  SetLabelFont(sLabel3, -11);
  sLabel3->SetCaption(L"Character Map");

  CharacterPreview = Place(Create<TsLabel>(this, L"CharacterPreview"), sPanel1, TAlign::alNone, 452, 6, 11, 23);
  SetLabelFont(CharacterPreview, -19);
  CharacterPreview->SetCaption(L"A");

  SelectBtn = Place(Create<TsSpeedButton>(this, L"SelectBtn"), sPanel1, TAlign::alNone, 280, 6, 50, 22);
  SelectBtn->SetCaption(L"Select");
  SelectBtn->OnClick = [this](TComponent* s) { SelectBtnClick(s); };

  CopyBtn = Place(Create<TsSpeedButton>(this, L"CopyBtn"), sPanel1, TAlign::alNone, 336, 6, 50, 22);
  CopyBtn->SetCaption(L"Copy");
  CopyBtn->SetEnabled(false);
  CopyBtn->OnClick = [this](TComponent* s) { CopyBtnClick(s); };

  ClearBtn = Place(Create<TsSpeedButton>(this, L"ClearBtn"), sPanel1, TAlign::alNone, 392, 7, 50, 22);
  ClearBtn->SetCaption(L"Clear");
  ClearBtn->SetEnabled(false);
  ClearBtn->OnClick = [this](TComponent* s) { ClearBtnClick(s); };

  CharactersCopy = Create<TsEdit>(this, L"CharactersCopy");
  CharactersCopy->SetColor(clWhite);
  CharactersCopy->Font().SetName(L"Tahoma");
  CharactersCopy->Font().SetHeight(-11);
  CharactersCopy->Font().SetColor(clBlack);
  CharactersCopy->Font().SetCharset(DEFAULT_CHARSET);
  CharactersCopy->SetParentFont(false);
  CharactersCopy->SetTabOrder(0);
  Place(CharactersCopy, sPanel1, TAlign::alNone, 89, 7, 185, 21);

}

// The side panel: the font list with its heading, and the size bar.
void TForm1::CreateSideArea() {
  SidePanel = Place(Create<TsPanel>(this, L"SidePanel"), this, TAlign::alLeft, 0, 0, 250, 500);
  SidePanel->BevelOuter = TBevelCut::bvNone;
  SidePanel->Constraints.MinWidth = 250;
  SidePanel->SetCtl3D(false);
  SidePanel->SetTabOrder(0);

  ToolPanel1 = Place(Create<TsPanel>(this, L"ToolPanel1"), SidePanel, TAlign::alClient, 0, 0, 250, 447);
  ToolPanel1->SkinData->SetSkinSection("ALPHAEDIT");
  ToolPanel1->BevelOuter = TBevelCut::bvNone;
  ToolPanel1->SetCtl3D(false);
  ToolPanel1->SetTabOrder(0);

  ToolTop1 = Place(Create<TsPanel>(this, L"ToolTop1"), ToolPanel1, TAlign::alTop, 0, 0, 250, 25);
  ToolTop1->SkinData->SetSkinSection("ALPHAEDIT");
  ToolTop1->BevelOuter = TBevelCut::bvNone;
  ToolTop1->SetTabOrder(0);

  sLabel1 = Place(Create<TsLabel>(this, L"sLabel1"), ToolTop1, TAlign::alNone, 8, 6, 71, 13);
  SetLabelFont(sLabel1, -11);
  sLabel1->SetCaption(L"Fonts Installed");

  FontList = Create<TsFontListBox>(this, L"FontList");
  FontList->SetColor(clWhite);
  FontList->Font().SetName(L"Tahoma");
  FontList->Font().SetHeight(kFontListFontHeight);
  FontList->Font().SetCharset(DEFAULT_CHARSET);
  FontList->Font().SetColor(clBlack);
  FontList->SetParentFont(false);
  FontList->SetItemHeight(kFontListItemHeight);
  FontList->SetTabOrder(1);
  FontList->OnClick = [this](TComponent* s) { FontListClick(s); };
  Place(FontList, ToolPanel1, TAlign::alClient, 0, 25, 250, kFontListHeight);

  BottomPanel = Place(Create<TsPanel>(this, L"BottomPanel"), SidePanel, TAlign::alBottom, 0, 447, 250, 53);
  BottomPanel->SkinData->SetSkinSection("ALPHAEDIT");
  BottomPanel->BevelOuter = TBevelCut::bvNone;
  BottomPanel->SetCtl3D(false);
  BottomPanel->SetTabOrder(1);

  sLabel2 = Place(Create<TsLabel>(this, L"sLabel2"), BottomPanel, TAlign::alNone, 8, 6, 51, 13);
  SetLabelFont(sLabel2, -11);
  sLabel2->SetCaption(L"Font Size :");

  FontNumber = Place(Create<TsLabel>(this, L"FontNumber"), BottomPanel, TAlign::alNone, 65, 6, 37, 13);
  SetLabelFont(FontNumber, -11);
  FontNumber->SetCaption(L"Number");

  FontSize = Create<TsScrollBar>(this, L"FontSize");
  FontSize->Kind = TScrollBarKind::sbHorizontal;
  FontSize->SetParams(12, 2, 72);
  FontSize->SetPageSize(0);
  FontSize->SetTabOrder(0);
  FontSize->OnChange = [this](TComponent* s) { FontSizeChange(s); };
  Place(FontSize, BottomPanel, TAlign::alNone, 8, 25, 234, 17);

}

// The non-visual components: skin manager, form provider and popup menus.
void TForm1::CreateComponents() {
  sSkinManager1 = Create<TsSkinManager>(this, L"sSkinManager1");
  sSkinManager1->SetExtendedBorders(true);
  TsStoredSkin internal;
  internal.Name = L"NorvaneWhite (internal)";
  internal.Shadow1Color = clBlack;
  internal.Shadow1Offset = 0;
  internal.Shadow1Transparency = 0;
  internal.PackedData = ResourceData(L"INTERNAL_SKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  sSkinManager1->InternalSkins.push_back(std::move(internal));
  sSkinManager1->SetSkinDirectory(L"c:\\Skins");
  // The internal skin is in place before the name: naming it loads it.
  sSkinManager1->SetSkinName(L"NorvaneWhite (internal)");
  StartupTrace("skin loaded");
  sSkinManager1->MenuSupport.IcoLineSkin = "ICOLINE";
  sSkinManager1->MenuSupport.ExtraLineFont.SetName(L"Tahoma");
  sSkinManager1->MenuSupport.ExtraLineFont.SetHeight(-11);
  sSkinManager1->MenuSupport.ExtraLineFont.SetColor(clWindowText);
  for (auto& list : sSkinManager1->ThirdParty) list = {L" "};
  sSkinManager1->ThirdParty[ThirdEdits] = {L" ", L"TImageEnView"};
  sSkinManager1->ThirdParty[ThirdButtons] = {L"TButton"};
  sSkinManager1->ThirdParty[ThirdGridEh] = {L" ", L"TDrawGrid"};
  FontSize->SetSkinManager(sSkinManager1);

  sSkinProvider1 = Create<TsSkinProvider>(this, L"sSkinProvider1");
  sSkinProvider1->AddedTitle.Font.SetName(L"Tahoma");
  sSkinProvider1->AddedTitle.Font.SetHeight(-11);
  sSkinProvider1->AddedTitle.Font.SetColor(clNone);

  PopupMenu1 = Create<TPopupMenu>(this, L"PopupMenu1");
  PopupMenu2 = Create<TPopupMenu>(this, L"PopupMenu2");
  AboutGlyphora1 = Create<TMenuItem>(this, L"AboutGlyphora1");
  AboutGlyphora1->Caption = L"About Glyphora";
  AboutGlyphora1->OnClick = [this](TComponent* s) { AboutGlyphora1Click(s); };
  PopupMenu2->Add(AboutGlyphora1);
  TextViewer->SetPopupMenu(PopupMenu2);
  CharactersCopy->SetPopupMenu(PopupMenu1);
}

bool TForm1::SelectedFamily(std::wstring& name) const {
  int i = FontList->ItemIndex();
  if (i < 0) return false;
  name = FontList->Items().Get(i);
  return true;
}

void TForm1::FormCreate(TComponent*) {
  ReadIniSettings();
  FontList->SetItemIndex(0);
  FontNumber->SetCaption(std::to_wstring(FontSize->Position()));
  TextViewer->Clear();
  // With no font family at all the preview keeps the window's own font.
  std::wstring family;
  bool haveFamily = SelectedFamily(family);
  if (haveFamily) TextViewer->Font().SetName(family);
  TextViewer->Font().SetSize(FontSize->Position());
  for (const wchar_t* line : kSampleLines) TextViewer->Lines().Add(line);
  for (int i = 0; i < Grid1->RowCount() * Grid1->ColCount(); ++i)
    Grid1->SetCell(i % Grid1->ColCount(), i / Grid1->ColCount(), std::wstring(1, static_cast<wchar_t>(i)));
  CharacterPreview->SetCaption(Grid1->Cell(Grid1->Col(), Grid1->Row()));
  if (haveFamily) {
    CharacterPreview->Font().SetName(family);
    Grid1->Font().SetName(family);
  }
}

void TForm1::FontListClick(TComponent*) {
  std::wstring family;
  if (!SelectedFamily(family)) return;
  TextViewer->Font().SetName(family);
  Grid1->Font().SetName(family);
  CharacterPreview->Font().SetName(family);
}

void TForm1::FontSizeChange(TComponent*) {
  FontNumber->SetCaption(std::to_wstring(FontSize->Position()));
  TextViewer->Font().SetSize(FontSize->Position());
}

void TForm1::FormResize(TComponent*) {
  TextViewer->Invalidate();
  TextViewer->Update();
}

void TForm1::FormClose(TComponent*, TCloseAction&) { WriteIniSettings(); }

void TForm1::AboutGlyphora1Click(TComponent*) { ShowSkinMessageCaption(kAboutCaption, kAboutText); }

}  // namespace glyphora
