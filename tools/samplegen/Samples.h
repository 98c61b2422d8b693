// The renderers of the 42 built-in pictures. Each returns a picture of exactly the size
// its row of the sample catalogue gives, and is fully deterministic.
#pragma once

#include "Image.h"

namespace samplegen {

// Depth maps: black background, nearer is lighter.
GreyImage RenderDepth1();   // a fly
GreyImage RenderDepth2();   // a propeller aeroplane
GreyImage RenderDepth3();   // a long-necked dinosaur
GreyImage RenderDepth4();   // an electric guitar
GreyImage RenderDepth5();   // a tricycle
GreyImage RenderDepth6();   // concentric terraces
GreyImage RenderDepth7();   // table, armchair, hanging lamp
GreyImage RenderDepth8();   // three interlinked tori
GreyImage RenderDepth9();   // a chair
GreyImage RenderDepth10();  // a coil
GreyImage RenderDepth11();  // a teapot
GreyImage RenderDepth12();  // the letter A, flat
GreyImage RenderDepth13();  // a tube at a slant
GreyImage RenderDepth14();  // Mandelbrot terraces
GreyImage RenderDepth15();  // three interlocking open rings
GreyImage RenderDepth16();  // a steam locomotive
GreyImage RenderDepth17();  // a blurred lightning arrow
GreyImage RenderDepth18();  // a blurred heart outline
GreyImage RenderDepth19();  // a dome with a brim on a stem
GreyImage RenderDepth20();  // a ring standing on a cylinder
GreyImage RenderDepth21();  // a trefoil knot
GreyImage RenderDepth22();  // overlapping flat rectangles
GreyImage RenderDepth23();  // a rose with stem and leaves
GreyImage RenderDepth24();  // "3D" on a floor
GreyImage RenderDepth25();  // a shark
GreyImage RenderDepth26();  // a duck
GreyImage RenderDepth27();  // a bushy cluster of strands
GreyImage RenderDepth28();  // a human figure with arms spread

// Textures: seamless colour tiles.
RgbImage RenderTexture1();
RgbImage RenderTexture2();
RgbImage RenderTexture3();
RgbImage RenderTexture4();
RgbImage RenderTexture5();
RgbImage RenderTexture6();
RgbImage RenderTexture7();
RgbImage RenderTexture8();
RgbImage RenderTexture9();
RgbImage RenderTexture10();
RgbImage RenderTexture11();
RgbImage RenderTexture12();
RgbImage RenderTexture13();
RgbImage RenderTexture14();

}  // namespace samplegen
