#pragma once
// The subcommands of plumex-cli. Each writes its result to `out` and answers the exit code;
// errors are thrown (UsageError, Refused, ReadError) and reported by main.

#include <iosfwd>
#include <string>
#include <vector>

namespace plumex::cli {

int runInfo(const std::vector<std::string>& words, std::ostream& out);
int runPov(const std::vector<std::string>& words, std::ostream& out);
int runAi(const std::vector<std::string>& words, std::ostream& out);
int runBmp(const std::vector<std::string>& words, std::ostream& out);
int runSpline2Plx(const std::vector<std::string>& words, std::ostream& out);
int runCheck(const std::vector<std::string>& words, std::ostream& out);
int runPicture(const std::vector<std::string>& words, std::ostream& out);
int runText(const std::vector<std::string>& words, std::ostream& out);
int runRender(const std::vector<std::string>& words, std::ostream& out);
int runSvg2Plx(const std::vector<std::string>& words, std::ostream& out);
int runSvg(const std::vector<std::string>& words, std::ostream& out);
int runTrace(const std::vector<std::string>& words, std::ostream& out);
int runBoolean(const std::vector<std::string>& words, std::ostream& out);
int runMesh(const std::vector<std::string>& words, std::ostream& out);

extern const char* const InfoHelp;
extern const char* const PovHelp;
extern const char* const Spline2PlxHelp;
extern const char* const CheckHelp;
extern const char* const PictureHelp;
extern const std::string TextHelp;
extern const char* const RenderHelp;
extern const char* const Svg2PlxHelp;
extern const char* const SvgHelp;
extern const char* const AiHelp;
extern const char* const BmpHelp;
extern const char* const TraceHelp;
extern const char* const BooleanHelp;
extern const char* const MeshHelp;

} // namespace plumex::cli
