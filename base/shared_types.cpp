#include "base/shared_types.h"
// The helpers are inline; this unit anchors the portable library.
