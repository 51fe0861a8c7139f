// Wavefront OBJ text. Each number is the shortest text that reads back as the same float.
#include "export/MeshWriter.h"

#include <charconv>
#include <ostream>
#include <string>

namespace plumex {

namespace {

class ObjWriter : public MeshWriter {
public:
    explicit ObjWriter(std::ostream& out) : out_(out) {}

    void begin() override {
        out_ << "# Plumex mesh: x right, y up as in the drawing, prisms along +z\n";
    }

    void piece(const MeshPiece& p) override {
        if (p.triangles.empty()) return;
        text_.clear();
        text_ += "o path";
        text_ += std::to_string(++objects_);
        text_ += '\n';
        for (const MeshVertex& v : p.vertices) {
            text_ += 'v';
            for (float f : {v.x, v.y, v.z}) {
                char buf[32];
                buf[0] = ' ';
                const auto r = std::to_chars(buf + 1, buf + sizeof buf, f);
                text_.append(buf, r.ptr);
            }
            text_ += '\n';
            flushIfFull();
        }
        for (const MeshTriangle& t : p.triangles) {
            text_ += 'f';
            for (std::uint32_t i : t) {
                text_ += ' ';
                text_ += std::to_string(vertices_ + i + 1);
            }
            text_ += '\n';
            flushIfFull();
        }
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        triangles_ += p.triangles.size();
        vertices_ += p.vertices.size();
    }

    void end() override {}

private:
    void flushIfFull() {
        if (text_.size() < (std::size_t{1} << 16)) return;
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

    std::ostream& out_;
    std::string text_;
    int objects_ = 0;
};

} // namespace

std::unique_ptr<MeshWriter> makeObjWriter(std::ostream& out) {
    return std::make_unique<ObjWriter>(out);
}

} // namespace plumex
