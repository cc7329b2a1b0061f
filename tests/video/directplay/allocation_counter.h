// Counts every allocation through operator new in the test program, so a
// test can show that a path allocates nothing.
#pragma once

// -1 when this build cannot count (sanitizers bring their own allocator).
long AllocationCount();
