// The two pictures of the window that the program draws itself.
#pragma once

#include <QImage>
#include <QString>

// 20 × 20, 16 colours: a blue floppy disk with a yellow label and a black arrow pointing
// right; the silver background is transparent.
QImage DrawLoadGlyph();
// 64 × 64, 256 colours: an orange star-shaped polyhedron on a transparent background.
QImage DrawStarIcon();
// The same star at Size × Size in full colour with smooth edges, for the desktop's icon theme.
QImage DrawThemeIcon(int Size);
// The same star as an SVG document.
QString DrawScalableIcon();
