#include "skin/core/sSkinManager.h"

namespace glyphora {

namespace {
TsSkinManager* g_defaultManager = nullptr;
}

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  if (!g_defaultManager) g_defaultManager = this;
}

TsSkinManager::~TsSkinManager() {
  if (g_defaultManager == this) g_defaultManager = nullptr;
}

TsSkinManager* TsSkinManager::DefaultManager() { return g_defaultManager; }

}  // namespace glyphora
