// Plumex examples: a goblet turned on a lathe and a letter P swept as a prism, both included
// from the .inc files that `plumex-cli pov` exports (`make examples` regenerates them).
#version 3.7;
global_settings { assumed_gamma 1.0 }

#include "goblet.inc"   // #declare Goblet = lathe { ... }
#include "letter_p.inc" // #declare LetterP = prism { ... }

camera {
    location <3.2, 5.5, -14>
    look_at <3.2, 2.3, 0>
    angle 36
}
light_source { <-8, 14, -12> color rgb 1.1 }
light_source { <12, 6, -8> color rgb 0.35 }
background { color rgb <0.82, 0.88, 0.95> }

plane {
    y, 0
    pigment { checker color rgb 0.92 color rgb 0.72 scale 0.8 }
    finish { diffuse 0.8 }
}

// The letter stands up: the prism's outline lies in x-z and is swept along y, so a quarter
// turn about x brings the drawing's y axis up and the sweep towards the camera.
object {
    LetterP
    scale <1, 0.6, 1>
    rotate -90*x
    pigment { color rgb <0.85, 0.25, 0.15> }
    finish { phong 0.6 }
}

object {
    Goblet
    translate <5.2, 0, 0.6>
    pigment { color rgb <0.55, 0.75, 0.95> }
    finish { phong 0.9 phong_size 60 reflection 0.08 }
}
