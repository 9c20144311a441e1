// Preview of the main window drawn from the skin's pieces, for review only.
#pragma once
#include <vector>

#include "art.h"

namespace skinart {

Canvas MockMainWindow(const Image32& master, const std::vector<Entry>& entries, const Canvas& exbor,
                      const Canvas& glowClose, const Canvas& speedGlow);

}  // namespace skinart
