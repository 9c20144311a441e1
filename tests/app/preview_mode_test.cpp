// Live preview is for the skin editor only: the main form announces itself
// to the editor in preview mode, and only then, and only that form, takes
// the editor's records, one at a time, with the load's errors shown once
// the sender's call has returned.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "tests/app/app_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

HWND g_announced = nullptr;
int g_announcements = 0;

LRESULT CALLBACK EditorProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kSkinEditorMessage && wParam == 3) {
    ++g_announcements;
    g_announced = reinterpret_cast<HWND>(lParam);
    return 1;
  }
  return ::DefWindowProcW(w, msg, wParam, lParam);
}

std::vector<char> Record(const std::string& name, const std::string& dir, const std::string& options) {
  std::vector<char> rec(kLivePreviewSize, 0);
  const uint32_t tag = kLivePreviewTag;
  std::memcpy(rec.data(), &tag, 4);
  std::memcpy(rec.data() + 4, name.data(), name.size());
  std::memcpy(rec.data() + 132, dir.data(), dir.size());
  std::memcpy(rec.data() + 645, options.data(), options.size());
  return rec;
}

class PreviewModeTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Application()->OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    g_announced = nullptr;
    g_announcements = 0;
  }
  void TearDown() override {
    Application()->OnException = nullptr;
    MainFormTest::TearDown();
    if (editor) ::DestroyWindow(editor);
    SetPreviewAnnouncementDue(false);
  }
  void StartEditor() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &EditorProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlyphoraTestSkinEditor";
    ::RegisterClassW(&wc);
    editor = ::CreateWindowW(wc.lpszClassName, kSkinEditorCaption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
  }
  // A record of a skin held by its options text alone.
  LRESULT Send(const std::string& text) {
    auto rec = Record("Preview", "c:\\", text);
    COPYDATASTRUCT cd{0, DWORD(rec.size()), rec.data()};
    return ::SendMessageW(form->WindowHandle(), WM_COPYDATA, kLivePreviewWParam, reinterpret_cast<LPARAM>(&cd));
  }
  const std::string options = "[GLOBALINFO]\nVERSION=7.0\n[FORM]\nCOLOR=255\n";
  std::vector<std::string> errors;
  HWND editor = nullptr;
};

TEST_F(PreviewModeTest, WithoutPreviewModeARecordIsIgnored) {
  StartEditor();
  Open();
  EXPECT_EQ(g_announcements, 0);
  EXPECT_EQ(Send(options), 0);
  EXPECT_EQ(form->sSkinManager1->SkinName(), L"NorvaneWhite (internal)");
}

TEST_F(PreviewModeTest, TheAcknowledgedFormTakesRecordsOneAtATimeAndShowsErrorsAfterwards) {
  StartEditor();
  SetPreviewAnnouncementDue(true);
  Open();
  EXPECT_EQ(g_announcements, 1);
  EXPECT_EQ(g_announced, form->WindowHandle());
  EXPECT_FALSE(PreviewAnnouncementDue()) << "once a run";
  TsSkinManager* m = form->sSkinManager1;
  // A record arriving while one is handled is answered 0.
  LRESULT inner = -1;
  bool nested = false;
  m->OnBeforeChange = [&](TComponent*) {
    if (std::exchange(nested, true)) return;
    inner = Send(options);
  };
  EXPECT_EQ(Send(options), 1);
  m->OnBeforeChange = nullptr;
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(m->SkinName(), L"Preview");
  // A load that fails shows its error only once the call has returned.
  EXPECT_EQ(Send("[GLOBALINFO]\nVERSION=7.0\nSHADOW1OFFSET=x\n"), 1);
  EXPECT_TRUE(errors.empty()) << errors.front();
  Pump(30);
  EXPECT_EQ(errors.size(), 1u);
  // So does an error thrown by a handler the load runs, and the record's
  // options serve that load only.
  m->OnAfterChange = [](TComponent*) { throw std::runtime_error("handler failed"); };
  EXPECT_EQ(Send(options), 1);
  m->OnAfterChange = nullptr;
  EXPECT_EQ(errors.size(), 1u);
  Pump(30);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors.back(), "handler failed");
  m->SetSkinName(L"NorvaneWhite (internal)");
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
  EXPECT_NE(m->GetSkinIndex("SCROLLSLIDERV"), -1) << "the skin's own options, not the record's";
  // The editor's own questions.
  EXPECT_EQ(::SendMessageW(form->WindowHandle(), kSkinEditorMessage, 4, 0), 1);
  EXPECT_EQ(::SendMessageW(form->WindowHandle(), kSkinEditorMessage, 1, 0), 0);
  MSG close;
  EXPECT_TRUE(::PeekMessageW(&close, form->WindowHandle(), WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "closing is queued";
}

}  // namespace
