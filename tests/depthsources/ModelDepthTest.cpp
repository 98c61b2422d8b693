#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <iterator>

#include "DepthTestSupport.h"
#include "ExpectMessage.h"
#include "TestPictures.h"
#include "ModelDepth.h"
#include "ModelReader.h"

namespace {

constexpr int Width = 400, Height = 300;  // a margin of 15 pixels

std::vector<std::uint8_t> FileBytes(const std::string& Name) {
    std::ifstream File(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(File), {}};
}

std::vector<std::uint8_t> Bytes(const std::string& Text) { return {Text.begin(), Text.end()}; }

TModelView TurnedAboutY(double Degrees, TProjection Projection = TProjection::Orthographic) {
    TModelView View;
    View.RotateY = Degrees;
    View.Projection = Projection;
    return View;
}

}  // namespace

TEST(ModelDepth, SphereIsADiscWhoseLevelsFollowTheSpheresProfile) {
    const TBitmap Sphere = RenderModelDepth(TestDataFile("stl_sphere.stl"), Width, Height);
    // Framed to the picture's height less the margins: radius 135 about the centre.
    const double Radius = 135, CentreX = Width / 2.0, CentreY = Height / 2.0;
    for (int Y = 0; Y < Height; Y += 3) {
        for (int X = 0; X < Width; X += 3) {
            const double Rho = std::hypot(X + 0.5 - CentreX, Y + 0.5 - CentreY);
            if (Rho > Radius + 1.5) {
                EXPECT_EQ(Level(Sphere, X, Y), 0) << X << ", " << Y;
            } else if (Rho < 0.9 * Radius) {
                // Nearest point 255, the rim 48, linear in depth: 48 + 207 · sqrt(1 − (ρ / r)²).
                EXPECT_NEAR(Level(Sphere, X, Y), 48 + 207 * std::sqrt(1 - (Rho / Radius) * (Rho / Radius)), 4) << X << ", " << Y;
            }
        }
    }
    EXPECT_GE(Level(Sphere, Width / 2, Height / 2), 253);
}

TEST(ModelDepth, TurningHalfwayAboutYMirrorsTheSilhouette) {
    const TBitmap Front = RenderModelDepth(TestDataFile("stl_l_block.stl"), Width, Height);
    // An L: the upright bar on the left, its foot to the right at the bottom.
    EXPECT_EQ(Level(Front, 130, 50), 255);
    EXPECT_EQ(Level(Front, 280, 50), 0);
    EXPECT_EQ(Level(Front, 280, 260), 255);
    const TBitmap Back = RenderModelDepth(TestDataFile("stl_l_block.stl"), Width, Height, TurnedAboutY(180));
    EXPECT_LE(MirrorMismatches(Front, Back), LitCount(Front) / 100);
    EXPECT_EQ(Level(Back, Width - 1 - 280, 260), 255);
}

TEST(ModelDepth, PerspectiveShowsTheFootsTopFromAbove) {
    // Column 250 crosses the foot. Seen orthographically only its front face shows, all
    // at one depth; in perspective its top face shows above that, falling away from the viewer.
    const auto Graded = [](const TBitmap& Depth) {
        int Count = 0;
        for (int Y = 0; Y < Height; ++Y) Count += Level(Depth, 250, Y) > 60 && Level(Depth, 250, Y) < 245;
        return Count;
    };
    EXPECT_LE(Graded(RenderModelDepth(TestDataFile("stl_l_block.stl"), Width, Height)), 2);
    EXPECT_GE(Graded(RenderModelDepth(TestDataFile("stl_l_block.stl"), Width, Height, TurnedAboutY(0, TProjection::Perspective))), 5);
}

TEST(ModelDepth, ModelInMemoryGivesTheSameAsItsFile) {
    const std::vector<std::uint8_t> Sphere = FileBytes(TestDataFile("stl_sphere.stl"));
    // A binary STL has no signature but its size; without an extension it is recognised by that.
    EXPECT_EQ(Levels(RenderModelDepth(Sphere, "-", 80, 60)), Levels(RenderModelDepth(TestDataFile("stl_sphere.stl"), 80, 60)));
}

TEST(ModelDepth, HostileAndEmptyFilesAreRefusedWithTheirReason) {
    const struct {
        const char* Fixture;
        TReadFailure Failure;
        const char* Message;
    } Cases[] = {
        {"stl_nan_vertices.stl", TReadFailure::Damaged, "Modell enthält keine Dreiecke: "},
        {"obj_without_faces.obj", TReadFailure::Damaged, "Modell enthält keine Dreiecke: "},
        {"stl_claims_2147483648_triangles.stl", TReadFailure::TooLarge, "Modell ist zu groß: "},
        {"stl_triangles_truncated.stl", TReadFailure::Damaged, "Modelldatei ist beschädigt: "},
        {"ply_vertices_truncated.ply", TReadFailure::Damaged, "Modelldatei ist beschädigt: "},
        {"glb_chunk_past_end.glb", TReadFailure::Damaged, "Modelldatei ist beschädigt: "},
        {"ply_header_without_end_crashes_reader.ply", TReadFailure::Damaged, "Modelldatei ist beschädigt: "},
        {"png_image_data_truncated.png", TReadFailure::NotAPicture, "Keine lesbare Modelldatei: "},
    };
    for (const auto& C : Cases) {
        try {
            RenderModelDepth(TestDataFile(C.Fixture), Width, Height);
            ADD_FAILURE() << C.Fixture << " was read";
        } catch (const EInvalidGraphic& E) {
            EXPECT_EQ(E.Failure(), C.Failure) << C.Fixture << ": " << E.Detail();
            EXPECT_EQ(E.Message(), C.Message + TestDataFile(C.Fixture)) << E.Detail();
            EXPECT_FALSE(E.Detail().empty()) << C.Fixture;
        }
    }
    try {
        RenderModelDepth(TestDataFile("no_such_model.stl"), Width, Height);
        ADD_FAILURE() << "a missing file was read";
    } catch (const EFileError& E) {
        EXPECT_EQ(E.ErrorNumber(), ENOENT);
        EXPECT_EQ(E.Message(), "Datei kann nicht geöffnet werden: " + TestDataFile("no_such_model.stl"));
    }
}

TEST(ModelDepth, ReaderThatDoesNotFinishIsStoppedAndTheFileRefused) {
    try {
        ReadModel(FileBytes(TestDataFile("ply_format_line_garbled_hangs_reader.ply")), "hangs.ply", {}, std::chrono::milliseconds(500));
        ADD_FAILURE() << "the file was read";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Failure(), TReadFailure::Damaged);
        EXPECT_NE(E.Detail().find("took longer than"), std::string::npos) << E.Detail();
    }
}

TEST(ModelDepth, ModelsAreToldFromPicturesByContentThenByExtension) {
    const std::string Obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    const struct {
        std::vector<std::uint8_t> Content;
        const char* Name;
        bool Model;
    } Cases[] = {
        {Bytes("solid t\n facet normal 0 0 1\n"), "-", true},
        {Bytes("ply\nformat ascii 1.0\n"), "depth.png", true},
        {Bytes("glTF\x02\x00\x00\x00"), "-", true},
        {Bytes("  {\"asset\": {\"version\": \"2.0\"}}"), "-", true},
        {FileBytes(TestDataFile("stl_l_block.stl")), "-", true},
        {Bytes(Obj), "model.OBJ", true},
        {Bytes(Obj), "notes.txt", false},
        {Bytes(Obj), "settings.xml", false},
        {FileBytes(TestDataFile("png_image_data_truncated.png")), "depth.png", false},
        {{}, "-", false},
    };
    for (const auto& C : Cases) EXPECT_EQ(LooksLikeModel(C.Content, C.Name), C.Model) << C.Name << " " << C.Content.size();
}
