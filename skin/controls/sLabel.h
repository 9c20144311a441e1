// A label that follows the skin: its text takes the skin's font colour
// (with the contour copies the skin gives it), a disabled label is faded
// into its background instead of embossed, and it may paint a skin section
// behind its text. Labels have no skin data: they use the default skin
// manager and are painted by their skinned parent with its other graphic
// children.
#pragma once
#include <string>

#include "framework/extctrls.h"

namespace glyphora {

class TsCustomLabel : public TLabel {
 public:
  explicit TsCustomLabel(TComponent* owner) : TLabel(owner) { Transparent = true; }

  const std::string& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& name);

  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& m) override;
  // The font to paint with, its colour first set from the skin.
  virtual TFont& GetCurrentFont();

  TNotifyEvent OnMouseEnter, OnMouseLeave;

 protected:
  // Writes the caption in r of dc.
  virtual void DoDrawText(HDC dc, RECT& r, UINT flags);
  // The section whose font colours the text takes (the skin's global
  // section when none of the parents gives its own); -1 without a skin.
  int32_t ColorSourceIndex() const;
  // Sets the font colour from the skin, keeping the label's own colour to
  // give back when the skin goes.
  void SetSkinFontColor(TColor color);
  // Gives back the label's own colour when the skin had replaced it.
  void RestoreOwnColor();

  std::string FSkinSection;
  bool painting_ = false;      // font changes while painting are our own
  bool inFontChange_ = false;
  bool skinColored_ = false;   // Font.Color was set from the skin
  TColor skinColor_ = clWindowText;  // the colour the skin gave it
  TColor ownColor_ = clWindowText;   // the program's, given back when the skin goes
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(TComponent* owner) : TsCustomLabel(owner) {}
  bool UseSkinColor = true;
  TFont& GetCurrentFont() override;
  void WndProc(TMessage& m) override;
};

}  // namespace glyphora
