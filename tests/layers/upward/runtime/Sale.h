#pragma once
// A runtime header that reaches up into the platform: the check must refuse it.
#include "platform/Window.h"
