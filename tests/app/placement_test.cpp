#include <fstream>
#include <sstream>

#include "app_fixture.h"
#include "framework/inifiles.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
RECT WindowRect(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  return r;
}
RECT NormalRect(HWND h) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  ::GetWindowPlacement(h, &wp);
  return wp.rcNormalPosition;
}
}  // namespace

TEST_F(MainFormTest, FirstStartThenRoundTripOfANormalWindow) {
  Open();
  RECT r = WindowRect(form->WindowHandle());
  form->WriteIniSettings();
  TIniFile file(ini);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Left", -1), r.left);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Top", -1), r.top);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Width", -1), r.right - r.left);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Height", -1), r.bottom - r.top);
  EXPECT_EQ(file.ReadString(L"Main", L"Maximized"), L"0");

  ::SetWindowPos(form->WindowHandle(), nullptr, 120, 80, 1024, 700, SWP_NOZORDER);
  form->WriteIniSettings();
  form.reset();
  Open();
  RECT again = WindowRect(form->WindowHandle());
  EXPECT_EQ(again.left, 120);
  EXPECT_EQ(again.top, 80);
  EXPECT_EQ(again.right - again.left, 1024);
  EXPECT_EQ(again.bottom - again.top, 700);
}

TEST_F(MainFormTest, MaximisedWindowKeepsItsNormalBounds) {
  WriteIni("[Main]\nLeft=0x64\nTop=50\nWidth=0x3E8\nHeight=600\nMaximized=2\n");
  Open();
  HWND h = form->WindowHandle();
  EXPECT_TRUE(::IsZoomed(h));
  RECT n = NormalRect(h);
  EXPECT_EQ(n.left, 100);
  EXPECT_EQ(n.right - n.left, 1000);
  form->WriteIniSettings();
  TIniFile file(ini);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Maximized", 0), 1);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Width", 0), 1000) << "the restored rectangle, not the screen";
  ::ShowWindow(h, SW_RESTORE);
  Pump();
  RECT r = WindowRect(h);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 1000);
  EXPECT_EQ(r.bottom - r.top, 600);
}

TEST_F(MainFormTest, MinimisedAtCloseWritesNotMaximised) {
  WriteIni("[Main]\nLeft=10\nTop=20\nWidth=900\nHeight=600\nMaximized=1\n");
  Open();
  ::ShowWindow(form->WindowHandle(), SW_MINIMIZE);
  Pump();
  form->WriteIniSettings();
  TIniFile file(ini);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Maximized", -1), 0);
  EXPECT_EQ(file.ReadInteger(L"Main", L"Width", 0), 900);
}

TEST_F(MainFormTest, GarbageAndTooSmallValuesFallBackSafely) {
  // Garbage width: no bounds at all, whatever Left and Top say.
  WriteIni("[Main]\nLeft=300\nTop=300\nWidth=abc\nHeight=600\nMaximized=zz\n");
  Open();
  RECT cr;
  ::GetClientRect(form->WindowHandle(), &cr);
  const LONG designedWidth = cr.right;  // what a first start gives on this system
  EXPECT_GE(cr.right, 869);
  EXPECT_FALSE(::IsZoomed(form->WindowHandle()));
  form.reset();

  // Too small: the minimum size applies.
  WriteIni("[Main]\nLeft=10\nTop=10\nWidth=100\nHeight=100\n");
  Open();
  RECT r = WindowRect(form->WindowHandle());
  EXPECT_EQ(r.right - r.left, 885);
  EXPECT_EQ(r.bottom - r.top, 536);
  form.reset();

  // Binary junk reads as nothing at all.
  std::string junk = "\x01\x02[Main\xff\xfe\x00Width=\x80\x81";
  junk += std::string(5000, '\xee');
  {
    std::ofstream out(std::string(ini.begin(), ini.end()), std::ios::binary);
    out.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  Open();
  ::GetClientRect(form->WindowHandle(), &cr);
  EXPECT_EQ(cr.right, designedWidth);
}

TEST_F(MainFormTest, PositionOnNoMonitorIsBroughtBackOnScreen) {
  WriteIni("[Main]\nLeft=-20000\nTop=-15000\nWidth=1000\nHeight=650\n");
  Open();
  HWND h = form->WindowHandle();
  RECT r = WindowRect(h);
  EXPECT_EQ(r.right - r.left, 1000) << "the size is kept";
  EXPECT_NE(::MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
}

TEST_F(MainFormTest, BoundsBeyondTheCoordinateRangeOpenOnAMonitor) {
  Open();
  const RECT first = WindowRect(form->WindowHandle());
  form.reset();
  struct Case {
    const char* ini;
    bool designed;  // true: the designed size at the platform's position
    LONG width, height;
  } cases[] = {
      {"Left=2147483600\nTop=2147483600\nWidth=700\nHeight=500", true, 0, 0},
      {"Left=2147483000\nTop=100\nWidth=1000\nHeight=650", true, 0, 0},
      {"Left=100\nTop=2147483647\nWidth=1000\nHeight=650", true, 0, 0},
      {"Left=-2147483648\nTop=-2147483648\nWidth=900\nHeight=600", false, 900, 600},
      {"Left=2147480000\nTop=2147480000\nWidth=1000\nHeight=650", false, 1000, 650},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    WriteIni((std::string("[Main]\n") + c.ini + "\nMaximized=0\n").c_str());
    Open();
    RECT r = WindowRect(form->WindowHandle());
    EXPECT_NE(::MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(r.right - r.left, c.designed ? first.right - first.left : c.width);
    EXPECT_EQ(r.bottom - r.top, c.designed ? first.bottom - first.top : c.height);
    form.reset();
  }
}

TEST_F(MainFormTest, UnwritableFileIsReportedAndTheWindowStillCloses) {
  Open();
  // A folder in the file's place cannot be written.
  ASSERT_TRUE(::CreateDirectoryW(ini.c_str(), nullptr));
  std::string reported;
  Application()->OnException = [&](const std::exception& e) { reported = e.what(); };
  ::SendMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
  Application()->OnException = nullptr;
  ::RemoveDirectoryW(ini.c_str());
  EXPECT_EQ(reported, "Unable to write to " + Narrow(ini));
  EXPECT_FALSE(::IsWindowVisible(form->WindowHandle()));
  // The program is told to end: the close left a quit request, which is
  // taken out here so later tests can pump.
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}
