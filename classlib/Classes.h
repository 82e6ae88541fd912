// The component and data classes of the library in one include: the
// component model, collections, string lists and streams.
#pragma once

#include "Collection.h"
#include "Component.h"
#include "Set.h"
#include "StringList.h"
#include "Streams.h"
#include "SysUtils.h"
