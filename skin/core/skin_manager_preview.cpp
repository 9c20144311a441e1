// Live preview: another program sends a skin to show through WM_COPYDATA.
#include "skin/core/sSkinManager.h"

#include <cstring>
#include <optional>
#include <string>

#include "skin/core/manager_rules.h"
#include "skin/core/skin_manager_internal.h"

namespace glyphora {

using namespace skin_manager_detail;

namespace {
// The record's fields: the tag, then three zero-terminated texts.
struct TRecordField {
  size_t offset, size;
};
constexpr TRecordField kPreviewTag{0, 4}, kPreviewName{4, 128}, kPreviewDirectory{132, 513},
    kPreviewOptions{645, 30001};
static_assert(kPreviewOptions.offset + kPreviewOptions.size == kLivePreviewSize);
}  // namespace

std::optional<TacLivePreview> ParseLivePreview(const void* data, size_t size) {
  // The record is read only when it is complete and every text ends inside
  // its own field: another process's bytes are not trusted further.
  if (!data || size < kLivePreviewSize) return std::nullopt;
  auto* bytes = static_cast<const char*>(data);
  uint32_t tag;
  std::memcpy(&tag, bytes + kPreviewTag.offset, kPreviewTag.size);
  if (tag != kLivePreviewTag) return std::nullopt;
  auto text = [&](TRecordField f) -> std::optional<std::string> {
    const char* begin = bytes + f.offset;
    const void* nul = std::memchr(begin, 0, f.size);
    if (!nul) return std::nullopt;
    return std::string(begin, static_cast<const char*>(nul));
  };
  auto name = text(kPreviewName), dir = text(kPreviewDirectory), options = text(kPreviewOptions);
  if (!name || !dir || !options) return std::nullopt;
  return TacLivePreview{*name, *dir, *options};
}


LRESULT TsSkinManager::HandleCopyData(WPARAM wParam, const COPYDATASTRUCT* data) {
  if (wParam != kLivePreviewWParam || !data) return 0;
  auto record = ParseLivePreview(data->lpData, data->cbData);
  if (!record) return 0;
  std::wstring name = FromAnsi(record->SkinName);
  if (!IsPlainSkinName(name)) return 0;
  g_livePreview = true;
  THeldNotices held;
  // The record's text serves this load only, however it ends; a later
  // switch reads the skin's own options again.
  struct TDropOptions {
    std::string& text;
    bool& has;
    ~TDropOptions() {
      text.clear();
      has = false;
    }
  } drop{livePreviewOptions_, hasLivePreviewOptions_};
  // Anything the load or a handler it runs throws is shown with the held
  // notices, once the sender's call has returned, never inside it.
  try {
    BeginUpdate();
    livePreviewOptions_ = record->Options;
    hasLivePreviewOptions_ = true;
    SetSkinDirectory(FromAnsi(record->SkinDirectory));
    SetSkinName(name);
    EndUpdate(true, false);
  } catch (const std::exception& e) {
    nonAutoUpdate_ = false;
    ShowError(Widen(e.what()));
  }
  return 1;
}

}  // namespace glyphora
