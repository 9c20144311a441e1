// The platform's rich edit control (RICHEDIT50W).
#pragma once
#include <memory>

#include "framework/stdctrls.h"

namespace glyphora {

class TRichEdit;

// Loads the rich edit's library on a thread of its own, so a program can
// have it loaded (a few dozen milliseconds under Wine) while it does other
// start-up work; the first rich edit made waits for it if need be.
void PreloadRichEditLibrary();

// The lines of a rich edit, read from and written to its window.
class TRichEditLines : public TStrings {
 public:
  explicit TRichEditLines(TRichEdit* edit) : edit_(edit) {}
  int Count() const override;
  std::wstring Get(int index) const override;
  // Appends the text as a new last line.
  int AddObject(const std::wstring& s, void* object) override;
  void Clear() override;
  void Delete(int index) override;

 private:
  TRichEdit* edit_;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TRichEdit : public TCustomEdit {
 public:
  explicit TRichEdit(TComponent* owner);
  TStrings& Lines() { return *lines_; }
  TScrollStyle ScrollBars = TScrollStyle::ssNone;
  bool WordWrap = true;
  // Tab inserts a tab character instead of moving to the next control.
  bool WantTabs = false;
  // Applies the control's font to all text and as the default format.
  void ApplyFont();

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  void FontChanged() override;
  void ColorChanged() override;

 private:
  std::unique_ptr<TRichEditLines> lines_;
};

}  // namespace glyphora
