// Known answers for the random-dot kinds: the digest of each output, taken once and kept in
// tests/data/random_dot_digests.txt. A change of draw order or rounding changes a digest.
// scripts/make-random-dot-digests.sh remakes the file and says which changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "EngineTestSupport.h"
#include "TestPictures.h"

namespace {

struct TDigestCase {
    TStereoGramType Type;
    TBlurType Blur;
    int Width, Height, Oversampling;
    TRandomDotColorType Color;
};

// FNV-1a, 64 bits, over the red, green and blue bytes of every pixel, row by row.
std::uint64_t PixelDigest(const TPicture& Picture) {
    std::uint64_t Hash = 14695981039346656037ull;
    const auto Add = [&Hash](std::uint8_t Byte) { Hash = (Hash ^ Byte) * 1099511628211ull; };
    const TBitmap& Bitmap = Picture.Bitmap();
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
        for (int X = 0; X < Bitmap.Width(); ++X) {
            const TColor32 C = Bitmap.Pixel(X, Y);
            Add(std::uint8_t(C)), Add(std::uint8_t(C >> 8)), Add(std::uint8_t(C >> 16));
        }
    return Hash;
}

std::string CaseName(const TDigestCase& C) {
    static constexpr const char* Types[] = {"fast-random-dot", "colored-dot", "random-dot-textured", "textured"};
    static constexpr const char* Blurs[] = {"none", "light", "medium", "heavy"};
    return std::string(Types[C.Type]) + "/" + Blurs[C.Blur] + "/" + std::to_string(C.Width) + "x" + std::to_string(C.Height) + "/os" +
           std::to_string(C.Oversampling) + (C.Color == dctRGB ? "/rgb" : "/bw");
}

std::vector<TDigestCase> DigestCases() {
    std::vector<TDigestCase> Cases;
    for (const TStereoGramType Type : {sgtFastRandomDot, sgtColoredDot, sgtRandomDotTextured})
        for (const TBlurType Blur : {blurNone, blurLight, blurMedium, blurHeavy})
            for (const auto& [Width, Height] : {std::pair{96, 64}, std::pair{301, 57}})
                for (const int Oversampling : {1, 4}) {
                    if (Oversampling > 1 && Type != sgtRandomDotTextured) continue;  // random dots have none
                    Cases.push_back({Type, Blur, Width, Height, Oversampling, dctBlackWhite});
                }
    Cases.push_back({sgtFastRandomDot, blurNone, 96, 64, 1, dctRGB});
    Cases.push_back({sgtRandomDotTextured, blurMedium, 301, 57, 4, dctRGB});
    return Cases;
}

// A far ramp with a near disc, smaller than the output so that it is centred in it.
TPicture DigestDepthMap(int Width, int Height) {
    return GreyPicture(Width, Height, [=](int X, int Y) {
        const int Dx = X - Width / 2, Dy = Y - Height / 2, R = Height / 3;
        return Dx * Dx + Dy * Dy < R * R ? 220 : X * 120 / Width;
    });
}

std::uint64_t RenderDigest(const TDigestCase& C) {
    TStereogramProbe S;
    S.SetStereoType(C.Type);
    S.SetRandomDotColor(C.Color);
    S.SetBlur(C.Blur);
    S.SetOversampling(C.Oversampling);
    S.SetDepthMap(DigestDepthMap(C.Width * 5 / 6, C.Height * 4 / 5));
    S.SetMaskMap(DistinctTexture(40, 30));
    S.SetWidth(C.Width);
    S.SetHeight(C.Height);
    S.SetDPI(30);
    return PixelDigest(Render(S, 20240601));
}

std::map<std::string, std::string> KeptDigests() {
    std::ifstream In(TestDataFile("random_dot_digests.txt"));
    std::map<std::string, std::string> Kept;
    for (std::string Name, Digest; In >> Name >> Digest;) Kept[Name] = Digest;
    return Kept;
}

std::string Hex(std::uint64_t Value) {
    std::ostringstream Text;
    Text << std::hex << Value;
    return Text.str();
}

TEST(RandomDotDigest, EveryRandomDotOutputHasItsKeptDigest) {
    // With STEREO_WRITE_DIGESTS set, the digests of today's outputs are written there instead.
    if (const char* Out = std::getenv("STEREO_WRITE_DIGESTS")) {
        std::ofstream File(Out);
        for (const TDigestCase& C : DigestCases()) File << CaseName(C) << " " << Hex(RenderDigest(C)) << "\n";
        return;
    }
    const auto Kept = KeptDigests();
    ASSERT_EQ(Kept.size(), DigestCases().size()) << "remake tests/data/random_dot_digests.txt";
    for (const TDigestCase& C : DigestCases()) {
        const auto Found = Kept.find(CaseName(C));
        ASSERT_NE(Found, Kept.end()) << CaseName(C);
        EXPECT_EQ(Hex(RenderDigest(C)), Found->second) << CaseName(C);
    }
}

}  // namespace
