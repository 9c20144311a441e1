#include "framework/handles.h"
