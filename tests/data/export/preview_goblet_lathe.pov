// Preview scene written by Plumex
#version 3.7;
global_settings { assumed_gamma 1.0 }
background { color rgb <0.78, 0.84, 0.92> }
#declare Centre = <0, 2.1, 0>;
#declare Radius = 2.88617394;
#declare View = vnormalize(<0, 0.3, -1>);
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
 pigment { checker color rgb 0.9 color rgb 0.7 scale 1.05 }
}
lathe {
 bezier_spline 16
 <0,0><0,0><1.1,0><1.1,0>
 <1.1,0><1.1,0.15><0.2,0.2><0.15,0.6>
 <0.15,0.6><0.1,1.2><0.1,1.8><0.2,2.2>
 <0.2,2.2><1.4,2.3><1.3,3.4><1,4.2>
 pigment {color rgb 1}
}
