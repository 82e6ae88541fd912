// The core library's anchor; the pixel view itself is header-only.
#include "skins/Pixels.h"
