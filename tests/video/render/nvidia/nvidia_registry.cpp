// The NVIDIA test programs keep libmirova's registry (SolvaneON_RESOLUTION)
// in a temporary folder.
#include "tests/platform/temp_registry.h"

USE_TEMP_REGISTRY();
