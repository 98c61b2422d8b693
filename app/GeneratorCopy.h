// A second generator made like the window's: the same settings and pictures, so that a run
// of either with the same seed draws the same picture.
#pragma once

#include "Stereogram.h"

// Gives To every setting and both pictures of From, through To's setters in an order in
// which each keeps the value From holds. The progress handler and the message handling
// are left as To has them.
void CopyGeneratorSettings(const TStereogram& From, TStereogram& To);
