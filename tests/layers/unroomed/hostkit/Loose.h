#pragma once
// A host kit header outside every room: the check must refuse it, since no room's target builds it.
#include "runtime/Variant.h"
