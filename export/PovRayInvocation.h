#pragma once
// How POV-Ray is run on a scene file and how its output is read back.

#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct PovRayJob {
    std::string sceneFile;
    std::string imageFile;
    int width = 640;
    int height = 480;
    bool quick = false;     // a rough pass: no shadows or antialiasing
    bool ppm = false;       // portable pixmap instead of PNG
    double antialias = 0.3; // full pass: colour difference that calls for more samples
    int antialiasDepth = 3; // full pass: up to depth x depth samples for such a pixel
};

inline constexpr const char* PovRayProgram = "povray";

// The preview's two passes for a picture area of `width` by `height` pixels, scene and image
// files left empty: a quick rough one whose size is capped so that it comes back at once
// whatever the area, then the full one at the area's size, its antialiasing chosen by that
// size (a small picture shows every stair step, a large one hides them and costs more).
std::vector<PovRayJob> povrayPreviewPasses(int width, int height);

// The arguments after the program name: no display window, progress lines on (+V).
std::vector<std::string> povrayArguments(const PovRayJob& job);

// The message of a failed run from POV-Ray's output: its error line with the line before that
// names the file, or the fatal line; empty when the output shows no error.
std::string povrayFailure(std::string_view output);

// POV-Ray's warnings about the scene ("... Parse Warning: Prism not closed. Ignoring it."), one
// line each: the render goes on, but something was left out or changed.
std::vector<std::string> povrayWarnings(std::string_view output);

// The last "Rendered N of M pixels (P%)" figure in a piece of output, or -1.
int povrayProgress(std::string_view output);

// The words to tell a user how to get POV-Ray.
inline constexpr const char* PovRayInstallHint =
    "POV-Ray 3.7 (povray) is not installed. Install it with your package manager, for "
    "example: sudo apt-get install povray";

} // namespace plumex
