// Runs the rows of one generation on one or more threads.
#pragma once

#include <functional>

// A row step gets the row and its slot, the index of the working state it may use:
// Row mod Slots.
using TRowStep = std::function<void(int Row, int Slot)>;

// Prepare(Row, Slot) does the part of a row that may run on any thread; Finish(Row, Slot)
// does the rest on the calling thread, for rows 0 … Rows − 1 in order, each after its own
// Prepare. A row is prepared only once the row Slots before it is finished, so that no two
// rows in flight share a slot. With one thread both run on the calling thread, row by row.
// An exception from either step ends the run: the other threads stop and are joined before
// it passes on to the caller.
void RunRows(int Rows, int Threads, int Slots, const TRowStep& Prepare, const TRowStep& Finish);
