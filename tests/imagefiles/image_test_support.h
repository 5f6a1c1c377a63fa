#pragma once
// Moved to the test-support library; kept for files that still include it here.
// The old helper namespace reaches the same helpers; its Program is FileRoutines.
#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"

namespace twtest {
using namespace tw::test;
using Program = tw::test::FileRoutines;
}  // namespace twtest
