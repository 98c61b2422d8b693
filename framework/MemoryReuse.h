// How the program's freed memory is kept.
#pragma once

// Asks the C library to keep freed memory for the next allocation rather than hand it back
// to the system at once. A program that makes picture after picture (the frames of an
// animation, a batch, a live preview) frees and allocates the same megabytes each time, and
// every page handed back costs a page fault when it is touched again: on a virtual machine
// that can take longer than drawing into it. Called first thing in main; a no-op where
// the C library has no such setting.
void KeepFreedMemory();
