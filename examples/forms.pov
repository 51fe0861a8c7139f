// Plumex examples of the other forms: the letter P as a conic prism and as a sphere sweep, and
// a vase as a surface of revolution, included from what `plumex-cli pov` exports
// (`make examples` regenerates them).
#version 3.7;
global_settings { assumed_gamma 1.0 }

#include "letter_p_cone.inc" // #declare LetterCone = prism { conic_sweep ... }
#include "letter_p_tube.inc" // #declare LetterTube = sphere_sweep { ... }
#include "vase.inc"          // #declare Vase = sor { ... }

camera {
    location <4.6, 6.5, -15>
    look_at <4.6, 1.7, 0>
    angle 42
}
light_source { <-8, 14, -12> color rgb 1.1 }
light_source { <12, 6, -8> color rgb 0.35 }
background { color rgb <0.82, 0.88, 0.95> }

plane {
    y, 0
    pigment { checker color rgb 0.92 color rgb 0.72 scale 0.8 }
    finish { diffuse 0.8 }
}

// The cone narrows from the letter on the floor to the apex over its middle.
object {
    LetterCone
    translate <-0.5, 0, 0>
    pigment { color rgb <0.85, 0.25, 0.15> }
    finish { phong 0.6 }
}

// The tube lies on the floor as the prism's outline does; lifted by its radius it rests there.
object {
    LetterTube
    translate <3.6, 0.12, 0>
    pigment { color rgb <0.95, 0.75, 0.2> }
    finish { phong 0.8 }
}

object {
    Vase
    translate <8.6, 0, 1.2>
    pigment { color rgb <0.55, 0.75, 0.95> }
    finish { phong 0.9 phong_size 60 reflection 0.08 }
}
