// modelgen: writes the model files of the tests and the documentation as binary STL: a
// sphere, an L-shaped block (not mirror-symmetric), a torus knot, and STL files damaged on
// purpose.  Usage: modelgen <test data directory> <model samples directory>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Vec = std::array<double, 3>;  // written as float
using Triangle = std::array<Vec, 3>;

Vec operator-(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec Cross(const Vec& a, const Vec& b) { return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; }
Vec Normalised(const Vec& v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return length > 0 ? Vec{v[0] / length, v[1] / length, v[2] / length} : Vec{0, 0, 0};
}

// A grid of Rows × Columns quads, each split into two triangles; Point(row, column) gives
// the corners, (Rows + 1) × (Columns + 1) of them. Quads that collapse at a pole give one
// degenerate triangle, which readers and renderers must take in their stride anyway.
template <typename PointFunction>
std::vector<Triangle> Grid(int rows, int columns, PointFunction point) {
    std::vector<Triangle> triangles;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Vec a = point(r, c), b = point(r, c + 1), d = point(r + 1, c), e = point(r + 1, c + 1);
            triangles.push_back({a, d, b});
            triangles.push_back({b, d, e});
        }
    }
    return triangles;
}

std::vector<Triangle> Sphere() {
    constexpr int stacks = 24, slices = 48;
    return Grid(stacks, slices, [](int stack, int slice) {
        const double polar = std::numbers::pi * stack / stacks, azimuth = 2 * std::numbers::pi * slice / slices;
        return Vec{std::sin(polar) * std::cos(azimuth), std::cos(polar), std::sin(polar) * std::sin(azimuth)};
    });
}

// A tube around the (2, 3) torus knot.
std::vector<Triangle> TorusKnot() {
    constexpr int segments = 192, sides = 12;
    constexpr double p = 2, q = 3, coreRadius = 2, knotRadius = 1, tubeRadius = 0.4;
    const auto curve = [&](double t) {
        const double r = coreRadius + knotRadius * std::cos(q * t);
        return Vec{r * std::cos(p * t), r * std::sin(p * t), knotRadius * std::sin(q * t)};
    };
    return Grid(segments, sides, [&](int segment, int side) {
        const double t = 2 * std::numbers::pi * segment / segments, h = 1e-4;
        const Vec c = curve(t);
        // Frame: the tangent, and the direction away from the torus' core circle made
        // perpendicular to it.
        const Vec tangent = Normalised(curve(t + h) - c);
        Vec out = c - Vec{coreRadius * std::cos(p * t), coreRadius * std::sin(p * t), 0};
        const double along = out[0] * tangent[0] + out[1] * tangent[1] + out[2] * tangent[2];
        out = Normalised({out[0] - along * tangent[0], out[1] - along * tangent[1], out[2] - along * tangent[2]});
        const Vec binormal = Cross(tangent, out);
        const double angle = 2 * std::numbers::pi * side / sides;
        const double u = tubeRadius * std::cos(angle), v = tubeRadius * std::sin(angle);
        return Vec{c[0] + u * out[0] + v * binormal[0], c[1] + u * out[1] + v * binormal[1], c[2] + u * out[2] + v * binormal[2]};
    });
}

// An L seen from the front: an upright bar with a foot to the right, 1 deep.
std::vector<Triangle> LBlock() {
    const std::vector<std::array<double, 2>> outline{{0, 0}, {2.5, 0}, {2.5, 1}, {1, 1}, {1, 3}, {0, 3}};
    const std::vector<std::array<int, 3>> face{{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 5}};
    std::vector<Triangle> triangles;
    for (const auto& f : face) {
        const auto at = [&](int i, double z) { return Vec{outline[std::size_t(i)][0], outline[std::size_t(i)][1], z}; };
        triangles.push_back({at(f[0], 1), at(f[1], 1), at(f[2], 1)});
        triangles.push_back({at(f[0], 0), at(f[2], 0), at(f[1], 0)});
    }
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto& a = outline[i];
        const auto& b = outline[(i + 1) % outline.size()];
        triangles.push_back({Vec{a[0], a[1], 0}, Vec{b[0], b[1], 0}, Vec{b[0], b[1], 1}});
        triangles.push_back({Vec{a[0], a[1], 0}, Vec{b[0], b[1], 1}, Vec{a[0], a[1], 1}});
    }
    return triangles;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(value >> shift));
}

void PutFloat(std::vector<std::uint8_t>& out, double value) {
    const auto single = float(value);
    std::uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    PutU32(out, bits);
}

// Binary STL; ClaimedCount replaces the true triangle count in the header when given.
std::vector<std::uint8_t> BinaryStl(const std::string& title, const std::vector<Triangle>& triangles, std::int64_t claimedCount = -1) {
    std::vector<std::uint8_t> out(80, ' ');
    const std::string header = "Stereogramm modelgen: " + title;
    std::copy(header.begin(), header.begin() + std::ptrdiff_t(std::min<std::size_t>(header.size(), 80)), out.begin());
    PutU32(out, std::uint32_t(claimedCount >= 0 ? claimedCount : std::int64_t(triangles.size())));
    for (const Triangle& t : triangles) {
        for (const double c : Normalised(Cross(t[1] - t[0], t[2] - t[0]))) PutFloat(out, c);
        for (const Vec& corner : t)
            for (const double c : corner) PutFloat(out, c);
        out.push_back(0), out.push_back(0);
    }
    return out;
}

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
    std::cout << "wrote " << file.string() << " (" << bytes.size() << " bytes)\n";
}

void Run(const std::filesystem::path& testData, const std::filesystem::path& models) {
    Write(testData / "stl_sphere.stl", BinaryStl("sphere", Sphere()));
    Write(testData / "stl_l_block.stl", BinaryStl("L block", LBlock()));
    Write(models / "torus_knot.stl", BinaryStl("torus knot", TorusKnot()));

    constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    Write(testData / "stl_nan_vertices.stl", BinaryStl("NaN and infinite corners", {{Vec{0, 0, 0}, Vec{1, 0, 0}, Vec{nan, 1, 0}},
                                                                                    {Vec{0, 0, 0}, Vec{inf, 0, 0}, Vec{0, 1, 0}}}));
    Write(testData / "stl_claims_2147483648_triangles.stl", BinaryStl("claims 2^31 triangles", {LBlock().front()}, std::int64_t(1) << 31));
    std::vector<std::uint8_t> truncated = BinaryStl("cut in its sixth triangle", LBlock(), 12);
    truncated.resize(84 + 50 * 5 + 25);
    Write(testData / "stl_triangles_truncated.stl", truncated);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: modelgen <test data directory> <model samples directory>\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[2]);
        Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "modelgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
