// Controls over the platform's own window classes: edit, list box, scroll
// bar, push button and group box.
#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "framework/control.h"
#include "framework/strings.h"

namespace glyphora {

enum class TBorderStyle { bsNone, bsSingle };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void SelectAll();
  void CopyToClipboard();
  void Clear() { SetText(L""); }
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  void SetCtl3D(bool value) { ctl3D_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawState : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };

class TCustomListBox;

// The items of a list box, read from and written to its window.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox* box) : box_(box) {}
  int Count() const override;
  std::wstring Get(int index) const override;
  void* Objects(int index) const override;
  int AddObject(const std::wstring& s, void* object) override;
  void Clear() override;
  void Delete(int index) override;
  void BeginUpdate() override;
  void EndUpdate() override;

 private:
  HWND Wnd() const;
  TCustomListBox* box_;
  int updating_ = 0;
};

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Windows keeps item heights to a byte.
  static constexpr int kMaxItemHeight = 255;
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int TopIndex() const;
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TListBoxStyle Style = TListBoxStyle::lbStandard;
  bool IntegralHeight = false;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  void SetCtl3D(bool value) { ctl3D_ = value; }
  // Milliseconds between keystrokes that still extend the type-ahead prefix.
  unsigned AutoCompleteDelay = 500;
  RECT ItemRect(int index) const;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  // Puts back the items (and selection and scroll position) that the
  // previous window held.
  void InitializeWnd() override;
  virtual void DrawItem(int index, const RECT& rect, unsigned state, HDC dc);
  virtual void MeasureItem(int index, int& height) { height = itemHeight_; }
  // Selects the first item beginning with the typed prefix.
  void TypeAhead(wchar_t ch);

  int itemHeight_ = 16;
  bool sorted_ = false;

 private:
  // The items live in the window; when the window is destroyed while the
  // control lives on (re-created for a new style, or with its parent) they
  // wait here for the next one.
  struct SavedItems {
    std::vector<std::pair<std::wstring, void*>> items;
    int itemIndex = -1, topIndex = 0;
  };
  void SaveItems();
  std::unique_ptr<TListBoxStrings> items_;
  std::unique_ptr<SavedItems> saved_;
  std::wstring typed_;
  DWORD lastKeyTime_ = 0;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind Kind = TScrollBarKind::sbHorizontal;
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetParams(int position, int min, int max);
  void SetPosition(int position) { SetParams(position, min_, max_); }
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetPageSize(int v);
  int SmallChange = 1;
  int LargeChange = 1;
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  virtual void Change();
  // Reacts to a scroll code; shared with skinned scroll bars.
  void Scroll(int code, int trackPos);

  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
};

// A push button; OnClick when it is pressed (by the mouse, the space bar, its
// access key, or Enter as the default button).
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  // The default push button of its form.
  bool Default = false;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A frame with a caption around a group of controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

}  // namespace glyphora
