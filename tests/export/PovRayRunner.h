#pragma once
// Runs povray on a scene text in a scratch folder and reads back what it said and drew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace plumex::testing {

struct PovRayRun {
    int status = -1;
    std::string log;
    int width = 0, height = 0;
    std::string rgb; // rows from the top, empty when no picture was written

    bool parseError() const { return log.find("Parse Error") != std::string::npos; }
    bool parseWarning() const { return log.find("Parse Warning") != std::string::npos; }
    // Pixels brighter than mid grey.
    int litPixels() const {
        int n = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            n += static_cast<unsigned char>(rgb[i]) > 127;
        return n;
    }
};

inline std::string slurpFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Reads a binary PPM (P6, maxval 255); leaves `run` without pixels when it is not one.
inline void readPpm(const std::string& bytes, PovRayRun& run) {
    std::istringstream in(bytes);
    std::string magic;
    int values[3] = {};
    in >> magic;
    for (int& v : values) {
        while ((in >> std::ws).peek() == '#') in.ignore(1 << 20, '\n');
        in >> v;
    }
    in.get();
    if (magic != "P6" || values[2] != 255 || !in) return;
    run.width = values[0];
    run.height = values[1];
    run.rgb.resize(static_cast<std::size_t>(run.width) * static_cast<std::size_t>(run.height) * 3);
    in.read(run.rgb.data(), static_cast<std::streamsize>(run.rgb.size()));
    if (!in) run.rgb.clear();
}

// A scratch folder per test, removed unless the test failed.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ =
            std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()) + "_" +
                                                      info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        if (!::testing::Test::HasFailure()) std::filesystem::remove_all(path_);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline PovRayRun runPovRay(const std::filesystem::path& dir, const std::string& scene, int w,
                           int h) {
    std::ofstream(dir / "scene.pov", std::ios::binary) << scene;
    std::filesystem::remove(dir / "image.ppm");
    const std::string cmd = "cd '" + dir.string() +
                            "' && povray +Iscene.pov +Oimage.ppm +FP -D -V +W" + std::to_string(w) +
                            " +H" + std::to_string(h) + " >povray.log 2>&1";
    PovRayRun run;
    run.status = std::system(cmd.c_str());
    run.log = slurpFile(dir / "povray.log");
    if (std::filesystem::exists(dir / "image.ppm")) readPpm(slurpFile(dir / "image.ppm"), run);
    return run;
}

} // namespace plumex::testing
