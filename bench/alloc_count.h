// Counts the program's allocations (operator new), to show that a frame
// makes none.
#pragma once

long AllocationCount();
