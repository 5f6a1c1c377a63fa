#pragma once
// Moved to the test-support library; kept for files that still include it here.
#include "support/gui_session.h"
