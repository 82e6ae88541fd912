// The component and data classes of the library in one include: the
// component model, collections, string lists and streams.
#pragma once

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Set.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
