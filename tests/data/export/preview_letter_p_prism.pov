// Preview scene written by Plumex
#version 3.7;
global_settings { assumed_gamma 1.0 }
background { color rgb <0.78, 0.84, 0.92> }
#declare Centre = <1.7, 0.5, 2.5>;
#declare Radius = 3.06431069;
#declare View = vnormalize(<0, 0.9, -1>);
#declare HalfAngle = min(20, degrees(atan(tan(radians(20)) * image_height / image_width)));
#declare Distance = 1.1 * Radius / sin(radians(HalfAngle));
camera {
 perspective
 location Centre + Distance * View
 look_at Centre
 right x*image_width/image_height
 angle 40
}
light_source { Centre + Distance * <-1, 2, -1.5> color rgb 1 }
light_source { Centre + Distance * View color rgb 0.35 shadowless }
plane {
 y, 0
 pigment { checker color rgb 0.9 color rgb 0.7 scale 1.25 }
}
prism {
 linear_sweep
 bezier_spline 0,1,56
 <1,2.2><1,2.2><2,2.2><2,2.2>
 <2,2.2><2.9,2.2><3.4,2.8><3.4,3.6>
 <3.4,3.6><3.4,4.4><2.9,5><2,5>
 <2,5><2,5><0,5><0,5>
 <0,5><0,5><0,0><0,0>
 <0,0><0,0><1,0><1,0>
 <1,0><1,0><1,2.2><1,2.2>
 <1,2.2><1,2.2><1,3><1,3>
 <1,3><1,3><1.9,3><1.9,3>
 <1.9,3><2.3,3><2.5,3.3><2.5,3.6>
 <2.5,3.6><2.5,3.9><2.3,4.2><1.9,4.2>
 <1.9,4.2><1.9,4.2><1,4.2><1,4.2>
 <1,4.2><1,4.2><1,3><1,3>
 <1,3><1,3><1,2.2><1,2.2>
 pigment {color rgb 1}
}
