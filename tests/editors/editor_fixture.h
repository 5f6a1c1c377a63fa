#pragma once
// Moved to the test-support library; kept for files that still include it here.
#include <unistd.h>

#include "imagefiles/dib.h"
#include "support/editor.h"
