// What the skin manager's source files share: the live-preview flag, the
// text conversion for another program's 8-bit texts, and file-system tests.
#pragma once
#include <windows.h>

#include <string>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"

namespace glyphora::skin_manager_detail {

// Set once a live-preview record has changed the skin: from then on a skin
// folder of the chosen name wins over a packed file of that name.
inline bool g_livePreview = false;

// Texts that another program sends (the live-preview record) are 8-bit text
// in the system's ANSI code page; so are the file names of an options text.
inline std::wstring FromAnsi(const std::string& s) { return Widen(s, CP_ACP); }

inline bool FileExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Holds back the manager's message boxes for its length; they are shown
// from the message loop once the call that opened it has returned (a live
// preview's errors never open a modal box inside the sender's call).
class THeldNotices {
 public:
  THeldNotices();
  ~THeldNotices();
  THeldNotices(const THeldNotices&) = delete;
  THeldNotices& operator=(const THeldNotices&) = delete;
};

inline bool DirectoryExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace glyphora::skin_manager_detail

namespace glyphora {
// The animator the form skinning installed (empty without one).
const TSkinChangeAnimator& SkinChangeAnimator();
}  // namespace glyphora
