// Binary STL, little-endian as the format is.
#include "export/MeshWriter.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

namespace plumex {

namespace {

constexpr std::size_t HeaderBytes = 80;
constexpr std::size_t FacetBytes = 50;

void putFloat(char*& at, float v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) *at++ = static_cast<char>((bits >> (8 * i)) & 0xff);
}

void putCount(char* at, std::uint32_t n) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((n >> (8 * i)) & 0xff);
}

class StlWriter : public MeshWriter {
public:
    explicit StlWriter(std::ostream& out) : out_(out) {}

    void begin() override {
        // Not "solid ...": readers take a header starting so for the text form.
        std::array<char, HeaderBytes + 4> head{};
        const std::string text = "Plumex binary STL, x right, y up";
        std::memcpy(head.data(), text.data(), text.size());
        out_.write(head.data(), head.size());
    }

    void piece(const MeshPiece& p) override {
        if (triangles_ + p.triangles.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("Too many triangles for an STL file");
        buffer_.resize(p.triangles.size() * FacetBytes);
        char* at = buffer_.data();
        for (const MeshTriangle& t : p.triangles) {
            const MeshVertex& a = p.vertices[t[0]];
            const MeshVertex& b = p.vertices[t[1]];
            const MeshVertex& c = p.vertices[t[2]];
            const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
            const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
            double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
            const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
            if (len > 0) {
                nx /= len;
                ny /= len;
                nz /= len;
            }
            for (double n : {nx, ny, nz}) putFloat(at, static_cast<float>(n));
            for (const MeshVertex* v : {&a, &b, &c}) {
                putFloat(at, v->x);
                putFloat(at, v->y);
                putFloat(at, v->z);
            }
            *at++ = 0; // attribute byte count
            *at++ = 0;
        }
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        triangles_ += p.triangles.size();
        vertices_ += p.vertices.size();
    }

    void end() override {
        char count[4];
        putCount(count, static_cast<std::uint32_t>(triangles_));
        out_.seekp(static_cast<std::streamoff>(HeaderBytes));
        out_.write(count, 4);
        out_.seekp(0, std::ios_base::end);
    }

private:
    std::ostream& out_;
    std::string buffer_;
};

} // namespace

std::unique_ptr<MeshWriter> makeStlWriter(std::ostream& out) {
    return std::make_unique<StlWriter>(out);
}

std::unique_ptr<MeshWriter> makeMeshWriter(MeshFormat format, std::ostream& out) {
    return format == MeshFormat::Stl ? makeStlWriter(out) : makeObjWriter(out);
}

} // namespace plumex
