// Preview mode: the form's side of the live preview for the external skin
// editor. The main form announces itself to the editor once when it is
// first shown; only the form the editor acknowledged hands the editor's
// records to its skin manager, one at a time. Every skinned form answers
// the editor's own message.
#include <windows.h>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

namespace {
// The editor gets this many announcements at most before it is given up.
constexpr int kAnnouncements = 101;
// A hung editor does not hold the form's first show for long.
constexpr UINT kAnnounceTimeoutMs = 500;
}  // namespace

bool TsSkinProvider::IsPreviewForm() const { return Wnd() && PreviewForm() == Wnd(); }

void TsSkinProvider::AnnouncePreview() {
  // Once a run, whether the editor answers or not.
  SetPreviewAnnouncementDue(false);
  HWND form = Wnd();
  for (int i = 0; i < kAnnouncements; ++i) {
    HWND editor = ::FindWindowW(nullptr, kSkinEditorCaption);
    if (!editor || editor == form) return;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(editor, kSkinEditorMessage, 3, reinterpret_cast<LPARAM>(form), SMTO_ABORTIFHUNG,
                              kAnnounceTimeoutMs, &answer) &&
        answer == 1) {
      SetPreviewForm(form);
      return;
    }
  }
}

bool TsSkinProvider::HandlePreviewMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SHOWWINDOW:
      if (m.WParam && PreviewAnnouncementDue()) {
        TCustomForm* main = Application()->MainForm();
        if (main == form_ || !main) AnnouncePreview();
      }
      return false;
    case WM_DESTROY:
      if (IsPreviewForm()) SetPreviewForm(nullptr);
      return false;
    case WM_COPYDATA: {
      formHook_.CallNext(m);
      // Any other program may send a record: it is read only by the form
      // the editor acknowledged, and never while one is being handled (the
      // load may run the message loop).
      if (m.Result != 0 || !IsPreviewForm() || copyDataBusy_) return true;
      auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.LParam);
      TsSkinManager* manager = SkinData->SkinManager();
      if (!data || !manager) return true;
      copyDataBusy_ = true;
      struct TDone {
        bool& busy;
        ~TDone() { busy = false; }
      } done{copyDataBusy_};
      m.Result = manager->HandleCopyData(m.WParam, data);
      return true;
    }
    case kSkinEditorMessage:
      if (!SkinData->Skinned()) return false;
      switch (m.WParam) {
        case 1:
          // Closed from the message loop, not inside the editor's call.
          ::PostMessageW(Wnd(), WM_CLOSE, 0, 0);
          m.Result = 0;
          return true;
        case 3:
          return false;
        case 4:
          m.Result = 1;
          return true;
      }
      m.Result = 0;
      return true;
  }
  return false;
}

}  // namespace glyphora
