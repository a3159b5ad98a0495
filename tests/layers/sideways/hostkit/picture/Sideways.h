#pragma once
// A picture room header that reaches into the media room beside it: the check must refuse it, or
// a host showing pictures would link GStreamer.
#include "hostkit/media/MediaEngine.h"
