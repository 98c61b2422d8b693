// Runs the rows of one generation on one or more threads.
#pragma once

#include <functional>

// Prepares a row on the thread with index Worker: 0 is the calling thread, 1 … Threads − 1
// the helpers.
using TPrepareRow = std::function<void(int Row, int Worker)>;
using TFinishRow = std::function<void(int Row)>;

// Prepare does the part of a row that may run on any thread; Finish does the rest on the
// calling thread, for rows 0 … Rows − 1 in order, each after its own Prepare. A row is
// prepared only while it lies fewer than Window rows past the last finished one, so that
// a state kept per row from Prepare to Finish can live in Window slots. With one thread both
// run on the calling thread, row by row. An exception from either ends the run: the other
// threads stop and are joined before it passes on to the caller.
void RunRows(int Rows, int Threads, int Window, const TPrepareRow& Prepare, const TFinishRow& Finish);
