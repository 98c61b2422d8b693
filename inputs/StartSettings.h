// The generator's settings as the window sets them, shared by the command line so that
// both start alike.
#pragma once

#include "Stereogram.h"

// The built-in depth map and texture the window starts with.
inline constexpr int StartDepthSample = 1;
inline constexpr int StartTextureSample = 1;

// The settings the window's stored layout gives its generator, through the setters in
// stored order: the textured kind, no blur, black-and-white dots, oversampling 4, viewing
// distance and far plane 14, near plane 7 (inches).
void ApplyStoredLayout(TStereogram& Stereogram);

// The numeric settings every change of kind resets to: no blur, dot intensity 50,
// oversampling 4, viewing distance and far plane 14, near plane 8 (inches), 72 dpi,
// 800 × 500 pixels. Applied through the setters, in this order.
void ApplyKindDefaults(TStereogram& Stereogram);

// The generator as the user first sees the window: the stored layout, then what showing
// the window does (black-and-white dots and the kind's defaults), then depth map and
// texture StartDepthSample and StartTextureSample.
void ApplyStartSettings(TStereogram& Stereogram);
