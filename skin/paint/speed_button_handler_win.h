// The handler of a framework speed button named in the skin manager's
// lists: a speed button has no window, so the handler takes over the
// button's message method. It paints the button from its section
// ("SPEEDBUTTON", "SPEEDBUTTON_SMALL" for a flat one) in its normal, hot,
// pressed and disabled looks over the parent's background, answers the skin
// commands, and gives the button its own method back when the skin goes or
// the handler is freed.
#pragma once
#include <windows.h>

#include <string>

#include "framework/control.h"

namespace glyphora {

class TSpeedButton;
class TsCommonData;
class TsSkinManager;

class TacSpeedButtonHandler {
 public:
  // skinData: the item's own, bound to the button; its section is set only
  // when it has none.
  TacSpeedButtonHandler(TSpeedButton* button, TsCommonData* skinData, TsSkinManager* manager,
                        const std::string& section);
  ~TacSpeedButtonHandler();
  TacSpeedButtonHandler(const TacSpeedButtonHandler&) = delete;
  TacSpeedButtonHandler& operator=(const TacSpeedButtonHandler&) = delete;

  TSpeedButton* Ctrl() const { return ctrl_; }
  // The button went (or was given back): the item makes a new handler at
  // its next scan.
  bool Destroyed() const { return destroyed_; }
  // 2 down, 1 hot, 0 normal.
  int CurrentState() const;
  // Gives the button its own message method back; once.
  void Release();

 private:
  void WndProc(TMessage& m);
  void Paint(HDC dc);
  void PrepareCache();
  void CallOld(TMessage& m);
  TSpeedButton* ctrl_;
  TsCommonData* skinData_;
  TsSkinManager* manager_;
  TControl::TMessageMethod oldWndProc_;
  bool destroyed_ = false;
};

}  // namespace glyphora
