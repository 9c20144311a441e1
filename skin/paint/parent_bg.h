// The background record of SKC_GETBG. The plain record lives with the skin
// data that answers it; the painters include it from here.
#pragma once
#include "skin/core/parent_bg_record.h"
