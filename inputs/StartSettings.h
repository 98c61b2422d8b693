// The generator's settings as the window sets them, shared by the command line so that
// both start alike.
#pragma once

#include "Stereogram.h"

// The numeric settings every change of kind resets to: no blur, dot intensity 50,
// oversampling 4, viewing distance and far plane 14, near plane 8 (inches), 72 dpi,
// 800 × 500 pixels. Applied through the setters, in this order.
void ApplyKindDefaults(TStereogram& Stereogram);

// The generator as the user first sees the window: black-and-white dots, the textured kind
// with the kind's defaults, depth map 1 and texture 1.
void ApplyStartSettings(TStereogram& Stereogram);
