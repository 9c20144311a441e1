// Begin/end pairs and owned handles end however their scope is left.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <thread>

#include "base/com_ptr.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/handles.h"
#include "gui_test_support.h"

using namespace glyphora;

namespace {
// A control whose painting fails; it notes a DC of its window each time.
class ThrowingPainter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::set<HDC> dcs;

 protected:
  void PaintCanvas(TCanvas&) override {
    HDC dc = ::GetDC(handle_);
    dcs.insert(dc);
    ::ReleaseDC(handle_, dc);
    throw std::runtime_error("paint failed");
  }
};

// A control with a window class that cannot be created or registered.
class BrokenWindow : public TWinControl {
 public:
  BrokenWindow(TComponent* owner, std::wstring native, std::wstring own)
      : TWinControl(owner), native_(std::move(native)), own_(std::move(own)) {}

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.NativeClass = native_;
    p.WinClassName = own_;
  }

 private:
  std::wstring native_, own_;
};

struct ShownForm {
  ShownForm() {
    Application()->Initialize();
    form.HandleNeeded();
    ::ShowWindow(form.WindowHandle(), SW_SHOWNOACTIVATE);
  }
  TForm form{nullptr};
};
}  // namespace

TEST(Ownership, APainterThatThrowsStillEndsItsPaint) {
  ShownForm f;
  auto* painter = new ThrowingPainter(&f.form);
  painter->SetBounds(0, 0, 60, 40);
  painter->SetParent(&f.form);
  int reports = 0;
  Application()->OnException = [&](const std::exception&) { ++reports; };
  for (int i = 0; i < 5; ++i) {
    ::InvalidateRect(painter->WindowHandle(), nullptr, FALSE);
    ::UpdateWindow(painter->WindowHandle());
  }
  Application()->OnException = nullptr;
  EXPECT_EQ(reports, 5);
  // An ended paint gives its DC back and the next ones reuse it; a paint left
  // open keeps its DC, so every paint would find a fresh one.
  EXPECT_LE(painter->dcs.size(), 2u);
}

TEST(Ownership, ModalScopesEnableTheProgramAgainHoweverTheyEnd) {
  ShownForm f;
  HWND wnd = f.form.WindowHandle();
  try {
    ModalScope outer;
    { ModalScope inner; }
    EXPECT_FALSE(::IsWindowEnabled(wnd)) << "the outer dialog still runs";
    throw std::runtime_error("dialog failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(::IsWindowEnabled(wnd));
}

TEST(Ownership, OleScopeBalancesItsInitialisation) {
  // A fresh thread: the test program's main thread keeps OLE for its life.
  HRESULT inside = S_OK, after = E_FAIL;
  bool initialized = false;
  std::thread([&] {
    {
      OleScope ole;
      initialized = ole.Initialized();
      inside = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      if (SUCCEEDED(inside)) ::CoUninitialize();
    }
    after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) ::CoUninitialize();
  }).join();
  EXPECT_TRUE(initialized);
  EXPECT_EQ(inside, RPC_E_CHANGED_MODE) << "OLE holds the thread in its apartment";
  EXPECT_EQ(after, S_OK) << "the apartment is gone once the scope ends";
}

TEST(Ownership, FileAndFindHandlesTreatInvalidHandleValueAsEmpty) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetTempPathW(MAX_PATH, path.data()));
  std::wstring file = path + L"glyphora_ownership.tmp";
  long files = UniqueFile::LiveCount(), finds = UniqueFind::LiveCount();
  {
    UniqueFile f(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(f);
    EXPECT_EQ(UniqueFile::LiveCount(), files + 1);
    UniqueFile moved = std::move(f);
    EXPECT_EQ(f.get(), INVALID_HANDLE_VALUE);
    WIN32_FIND_DATAW fd;
    UniqueFind found(::FindFirstFileW(file.c_str(), &fd));
    EXPECT_TRUE(found);
    EXPECT_EQ(UniqueFind::LiveCount(), finds + 1);
  }
  EXPECT_EQ(UniqueFile::LiveCount(), files);
  EXPECT_EQ(UniqueFind::LiveCount(), finds);
  // Closed: the file opens again without sharing.
  UniqueFile again(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_TRUE(again);
  again.reset();
  ::DeleteFileW(file.c_str());

  WIN32_FIND_DATAW fd;
  UniqueFind none(::FindFirstFileW((path + L"glyphora_no_such_*.none").c_str(), &fd));
  EXPECT_FALSE(none);
  EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(UniqueFind::LiveCount(), finds);
  UniqueFile null(nullptr);
  EXPECT_FALSE(null) << "null is no file either";
  EXPECT_EQ(UniqueFile::LiveCount(), files);
}

namespace {
struct CountedUnknown : IUnknown {
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};
}  // namespace

TEST(Ownership, ComPtrHoldsOneReferencePerPointer) {
  CountedUnknown a, b;
  {
    auto p = ComPtr<IUnknown>::Adopt(&a);
    {
      ComPtr<IUnknown> copy = p;
      EXPECT_EQ(a.refs, 2u);
    }
    EXPECT_EQ(a.refs, 1u);
    *p.Out() = &b;  // an out parameter: the old reference goes first
    EXPECT_EQ(a.refs, 0u);
    ComPtr<IUnknown> moved = std::move(p);
    EXPECT_FALSE(p);
    EXPECT_EQ(b.refs, 1u);
    p = moved;
    EXPECT_EQ(b.refs, 2u);
  }
  EXPECT_EQ(b.refs, 0u);
}

// "what: system text (code n)", with the text the system gives for n.
void ExpectSystemReason(const std::string& text, const std::string& what) {
  EXPECT_EQ(text.rfind(what + ": ", 0), 0u) << text;
  size_t at = text.rfind("(code ");
  ASSERT_NE(at, std::string::npos) << text;
  DWORD code = std::stoul(text.substr(at + 6));
  EXPECT_NE(code, 0u);
  EXPECT_NE(text.find(Narrow(SystemErrorText(code))), std::string::npos) << text;
  EXPECT_FALSE(SystemErrorText(code).empty());
}

TEST(Ownership, WindowFailuresCarryTheSystemsReason) {
  Application()->Initialize();
  TForm form(nullptr);
  form.HandleNeeded();
  struct Case {
    const wchar_t* native;
    std::wstring own;
    const char* what;
  } cases[] = {
      {L"GlyphoraNoSuchClass", L"", "Error creating window"},
      {L"", L"", "Error registering window class"},  // a class needs a name
  };
  for (const Case& c : cases) {
    auto* broken = new BrokenWindow(&form, c.native, c.own);
    try {
      broken->SetParent(&form);  // the window is made at once
      ADD_FAILURE() << c.what << ": no failure";
    } catch (const std::runtime_error& e) {
      ExpectSystemReason(e.what(), c.what);
    }
  }
}
