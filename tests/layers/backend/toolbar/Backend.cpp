// A component file that includes a backend: the check must refuse it.
#include "platform/headless/HeadlessPlatform.h"
