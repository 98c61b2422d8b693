// The program icon: an icosahedron with a pyramid raised on each face, turned a little,
// drawn face by face from back to front with flat shading in a few orange tones.
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "Pictures.h"

namespace {
constexpr int IconSize = 64;
constexpr double ShadeLevels = 48;
constexpr double SpikeLength = 2.1;  // distance of a spike's tip from the centre, in edge lengths

struct Vec {
    double X, Y, Z;
};
Vec operator+(Vec A, Vec B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
Vec operator-(Vec A, Vec B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
Vec operator*(Vec A, double F) { return {A.X * F, A.Y * F, A.Z * F}; }
double Dot(Vec A, Vec B) { return A.X * B.X + A.Y * B.Y + A.Z * B.Z; }
Vec Cross(Vec A, Vec B) { return {A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X}; }
Vec Normalized(Vec A) { return A * (1.0 / std::sqrt(Dot(A, A))); }

using Triangle = std::array<Vec, 3>;

std::vector<Vec> IcosahedronVertices() {
    const double Phi = (1.0 + std::sqrt(5.0)) / 2.0;
    std::vector<Vec> V;
    for (const double A : {-1.0, 1.0})
        for (const double B : {-Phi, Phi}) {
            V.push_back({0, A, B});
            V.push_back({A, B, 0});
            V.push_back({B, 0, A});
        }
    return V;
}

// Every face of the icosahedron (three vertices two edge lengths apart from each other)
// becomes three triangles meeting in a spike above the face's centre.
std::vector<Triangle> StarTriangles() {
    const std::vector<Vec> V = IcosahedronVertices();
    const auto IsEdge = [&](std::size_t I, std::size_t J) {
        const Vec D = V[I] - V[J];
        return std::abs(Dot(D, D) - 4.0) < 1e-9;
    };
    std::vector<Triangle> Result;
    for (std::size_t I = 0; I < V.size(); ++I)
        for (std::size_t J = I + 1; J < V.size(); ++J)
            for (std::size_t K = J + 1; K < V.size(); ++K) {
                if (!IsEdge(I, J) || !IsEdge(J, K) || !IsEdge(I, K)) continue;
                const Vec Centre = (V[I] + V[J] + V[K]) * (1.0 / 3.0);
                const Vec Tip = Normalized(Centre) * (SpikeLength * 2.0);
                const std::array<Vec, 3> Corners = {V[I], V[J], V[K]};
                for (int E = 0; E < 3; ++E) {
                    Triangle T = {Corners[E], Corners[(E + 1) % 3], Tip};
                    // Wind every triangle counter-clockwise seen from outside.
                    if (Dot(Cross(T[1] - T[0], T[2] - T[0]), T[0] + T[1] + T[2]) < 0) std::swap(T[0], T[1]);
                    Result.push_back(T);
                }
            }
    return Result;
}

Vec Turned(Vec P) {
    const double A = 0.45, B = 0.35;
    const Vec Y{P.X * std::cos(A) + P.Z * std::sin(A), P.Y, -P.X * std::sin(A) + P.Z * std::cos(A)};
    return {Y.X, Y.Y * std::cos(B) - Y.Z * std::sin(B), Y.Y * std::sin(B) + Y.Z * std::cos(B)};
}
// The drawing uses fewer than 256 colours, so each gets its own palette entry.
QImage ToIndexed(const QImage& Canvas) {
    QList<QRgb> Palette;
    for (int Y = 0; Y < Canvas.height(); ++Y)
        for (int X = 0; X < Canvas.width(); ++X)
            if (!Palette.contains(Canvas.pixel(X, Y))) Palette.append(Canvas.pixel(X, Y));
    QImage Indexed(Canvas.size(), QImage::Format_Indexed8);
    Indexed.setColorTable(Palette);
    for (int Y = 0; Y < Canvas.height(); ++Y)
        for (int X = 0; X < Canvas.width(); ++X)
            Indexed.setPixel(X, Y, static_cast<uint>(Palette.indexOf(Canvas.pixel(X, Y))));
    return Indexed;
}

// The visible faces, farthest first (the viewer looks along −Z), each with its colour.
struct ShadedFace {
    std::array<QPointF, 3> Corners;  // in units of the icon's half size, y up
    QColor Color;
};

std::vector<ShadedFace> VisibleFaces() {
    std::vector<Triangle> Faces = StarTriangles();
    for (Triangle& T : Faces)
        for (Vec& P : T) P = Turned(P);
    std::sort(Faces.begin(), Faces.end(), [](const Triangle& L, const Triangle& R) {
        return L[0].Z + L[1].Z + L[2].Z < R[0].Z + R[1].Z + R[2].Z;
    });
    const double Scale = 1.0 / (SpikeLength * 2.0) * 0.96;
    const Vec Light = Normalized({-0.5, 0.6, 0.8});
    std::vector<ShadedFace> Result;
    for (const Triangle& T : Faces) {
        const Vec Normal = Normalized(Cross(T[1] - T[0], T[2] - T[0]));
        if (Normal.Z <= 0) continue;
        // Few shades keep the indexed icon within 256 colours without dithering.
        const double Shade = std::round((0.35 + 0.65 * std::max(0.0, Dot(Normal, Light))) * ShadeLevels) / ShadeLevels;
        ShadedFace Face{{}, QColor(int(255 * Shade), int(140 * Shade), int(20 * Shade))};
        for (std::size_t I = 0; I < 3; ++I) Face.Corners[I] = QPointF(T[I].X * Scale, T[I].Y * Scale);
        Result.push_back(Face);
    }
    return Result;
}

QPolygonF OnCanvas(const ShadedFace& Face, int Size) {
    QPolygonF Outline;
    for (const QPointF& P : Face.Corners) Outline << QPointF(Size / 2.0 + P.x() * Size / 2.0, Size / 2.0 - P.y() * Size / 2.0);
    return Outline;
}

QImage Painted(int Size, bool Antialiased) {
    QImage Canvas(Size, Size, QImage::Format_ARGB32);
    Canvas.fill(Qt::transparent);
    QPainter Painter(&Canvas);
    Painter.setRenderHint(QPainter::Antialiasing, Antialiased);
    for (const ShadedFace& Face : VisibleFaces()) {
        Painter.setPen(QPen(Face.Color.darker(140), 0.6 * Size / IconSize));
        Painter.setBrush(Face.Color);
        Painter.drawPolygon(OnCanvas(Face, Size));
    }
    Painter.end();
    return Canvas;
}

}  // namespace

QImage DrawStarIcon() { return ToIndexed(Painted(IconSize, false)); }

QImage DrawThemeIcon(int Size) { return Painted(Size, true); }

QString DrawScalableIcon() {
    const int Size = 256;
    QString Svg = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n").arg(Size);
    for (const ShadedFace& Face : VisibleFaces()) {
        QStringList Points;
        for (const QPointF& P : OnCanvas(Face, Size)) Points << QString::number(P.x(), 'f', 2) + "," + QString::number(P.y(), 'f', 2);
        Svg += QString("  <polygon points=\"%1\" fill=\"%2\" stroke=\"%3\" stroke-width=\"2.4\" stroke-linejoin=\"round\"/>\n")
                   .arg(Points.join(' '), Face.Color.name(), Face.Color.darker(140).name());
    }
    return Svg + "</svg>\n";
}
