// The two pictures of the window that the program draws itself.
#pragma once

#include <QImage>

// 20 × 20, 16 colours: a blue floppy disk with a yellow label and a black arrow pointing
// right; the silver background is transparent.
QImage DrawLoadGlyph();
// 64 × 64, 256 colours: an orange star-shaped polyhedron on a transparent background.
QImage DrawStarIcon();
