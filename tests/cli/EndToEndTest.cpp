// Runs the real stereogramm-cli in a temporary folder and checks what it leaves behind.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "AnimationReadBack.h"
#include "Bitmap.h"
#include "PictureFiles.h"
#include "TestPictures.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

std::string ShellQuoted(const std::string& Text) {
    std::string Quoted = "'";
    for (const char C : Text) Quoted += C == '\'' ? std::string("'\\''") : std::string(1, C);
    return Quoted + "'";
}

std::string ReadFile(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream Content;
    if (In) Content << In.rdbuf();
    return Content.str();
}

void WriteFile(const fs::path& Path, const std::string& Content) { std::ofstream(Path, std::ios::binary) << Content; }

struct Ppm {
    int Width = 0, Height = 0;
    std::string Pixels;  // red, green, blue per pixel, rows top-down

    std::string PixelAt(int X, int Y) const { return Pixels.substr((std::size_t(Y) * Width + X) * 3, 3); }
};

Ppm ParsePpm(const std::string& Data) {
    Ppm Result;
    std::istringstream In(Data);
    std::string Magic;
    int MaxValue = 0;
    In >> Magic >> Result.Width >> Result.Height >> MaxValue;
    In.get();
    EXPECT_EQ(Magic, "P6");
    EXPECT_EQ(MaxValue, 255);
    Result.Pixels = Data.substr(std::size_t(In.tellg()));
    EXPECT_EQ(Result.Pixels.size(), std::size_t(Result.Width) * Result.Height * 3);
    return Result;
}

std::uint32_t BigEndian32(const std::string& Data, std::size_t At) {
    return std::uint32_t(std::uint8_t(Data[At])) << 24 | std::uint32_t(std::uint8_t(Data[At + 1])) << 16 |
           std::uint32_t(std::uint8_t(Data[At + 2])) << 8 | std::uint8_t(Data[At + 3]);
}

// Keyword → text of every tEXt and uncompressed iTXt chunk of a PNG file.
std::map<std::string, std::string> PngTextChunks(const std::string& Data) {
    std::map<std::string, std::string> Text;
    EXPECT_EQ(Data.substr(0, 8), "\x89PNG\r\n\x1a\n");
    for (std::size_t At = 8; At + 12 <= Data.size();) {
        const std::uint32_t Length = BigEndian32(Data, At);
        const std::string Kind = Data.substr(At + 4, 4);
        const std::string Chunk = Data.substr(At + 8, Length);
        const auto Zero = Chunk.find('\0');
        if (Kind == "tEXt") Text[Chunk.substr(0, Zero)] = Chunk.substr(Zero + 1);
        if (Kind == "iTXt" && Chunk[Zero + 1] == 0) {
            // keyword, 0, compression flag and method, language tag, 0, translated keyword, 0, text
            const auto LanguageEnd = Chunk.find('\0', Zero + 3);
            Text[Chunk.substr(0, Zero)] = Chunk.substr(Chunk.find('\0', LanguageEnd + 1) + 1);
        }
        At += 12 + Length;
    }
    return Text;
}

Args Split(const std::string& Text) {
    std::istringstream In(Text);
    Args Words;
    for (std::string Word; In >> Word;) Words.push_back(Word);
    return Words;
}

// Share of columns X in [From, To) whose pixel equals the pixel Shift columns to the right.
double ShareRepeatingAt(const Ppm& Picture, int Row, int From, int To, int Shift) {
    int Equal = 0;
    for (int X = From; X < To; ++X) Equal += Picture.PixelAt(X, Row) == Picture.PixelAt(X + Shift, Row);
    return double(Equal) / (To - From);
}

class CliEndToEnd : public testing::Test {
protected:
    struct Result {
        int Status = -1;
        std::string Out, Err;
    };

    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("stereogramm-cli-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(getpid()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }

    void TearDown() override {
        fs::remove_all(Dir);
        fs::remove(StdoutPath());
        fs::remove(StderrPath());
    }

    // Runs the tool in Dir; standard input is the file Input there, or empty.
    Result Run(const Args& Arguments, const std::string& Input = {}) const {
        std::string Command = "cd " + ShellQuoted(Dir.string()) + " && " + ShellQuoted(STEREOGRAMM_CLI);
        for (const std::string& A : Arguments) Command += " " + ShellQuoted(A);
        Command += " >" + ShellQuoted(StdoutPath().string()) + " 2>" + ShellQuoted(StderrPath().string()) + " <" +
                   (Input.empty() ? "/dev/null" : ShellQuoted(Input));
        const int Status = std::system(Command.c_str());
        return {WIFEXITED(Status) ? WEXITSTATUS(Status) : -1, ReadFile(StdoutPath()), ReadFile(StderrPath())};
    }

    std::map<std::string, std::string> Settings(Args Arguments) const {
        Arguments.push_back("--print-settings");
        const Result R = Run(Arguments);
        EXPECT_EQ(R.Status, 0) << R.Err;
        std::map<std::string, std::string> Values;
        std::istringstream In(R.Out);
        for (std::string Line; std::getline(In, Line);) Values[Line.substr(0, Line.find('='))] = Line.substr(Line.find('=') + 1);
        return Values;
    }

    std::set<std::string> Files() const {
        std::set<std::string> Names;
        for (const auto& Entry : fs::directory_iterator(Dir)) Names.insert(Entry.path().filename().string());
        return Names;
    }

    std::string Read(const std::string& Name) const { return ReadFile(Dir / Name); }

    // A black 300 × 200 depth map with a white 100 × 80 rectangle in the middle.
    void WriteStepDepthMap(const std::string& Name) const {
        TBitmap Depth(300, 200);
        for (int Y = 60; Y < 140; ++Y)
            for (int X = 100; X < 200; ++X) Depth.SetPixel(X, Y, clWhite);
        SaveBitmapToFile(Depth, (Dir / Name).string());
    }

    // A 64 × 64 texture of red and blue only.
    void WriteRedBlueTexture(const std::string& Name) const {
        TBitmap Texture(64, 64);
        for (int Y = 0; Y < 64; ++Y)
            for (int X = 0; X < 64; ++X) Texture.SetPixel(X, Y, (X * 7 + Y * 13) % 5 < 2 ? PackColor(255, 0, 0) : PackColor(0, 0, 255));
        SaveBitmapToFile(Texture, (Dir / Name).string());
    }

    fs::path StdoutPath() const { return Dir.string() + ".stdout"; }
    fs::path StderrPath() const { return Dir.string() + ".stderr"; }

    fs::path Dir;
};

const Args Small{"--width", "200", "--height", "100"};

Args operator+(Args A, const Args& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

}  // namespace

TEST_F(CliEndToEnd, EveryKindRendersAtItsSize) {
    for (const char* Kind : {"fast-random-dot", "random-dot-textured", "textured"}) {
        const Result R = Run(Args{"--type", Kind} + Small + Args{"-o", "out.ppm", "-q"});
        ASSERT_EQ(R.Status, 0) << Kind << ": " << R.Err;
        const Ppm Out = ParsePpm(Read("out.ppm"));
        EXPECT_EQ(Out.Width, 200) << Kind;
        EXPECT_EQ(Out.Height, 100) << Kind;
    }
    // Coloured dots take the depth map's size: sample 1 is 640 × 480.
    const Result R = Run(Args{"--type", "colored-dot"} + Small + Args{"-o", "out.ppm"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const Ppm Out = ParsePpm(Read("out.ppm"));
    EXPECT_EQ(Out.Width, 640);
    EXPECT_EQ(Out.Height, 480);
    EXPECT_EQ(R.Out, "out.ppm: 640 x 480, seed " + Split(R.Out).back() + "\n");
    EXPECT_EQ(R.Err,
              "stereogramm-cli: warning: --width 200: colored-dot takes the depth map's width; using 640\n"
              "stereogramm-cli: warning: --height 100: colored-dot takes the depth map's height; using 480\n")
        << "warnings, and no progress bar when stderr is not a terminal";
}

TEST_F(CliEndToEnd, OutputFormatsFollowTheExtension) {
    ASSERT_EQ(Run(Small + Args{"-q"}).Status, 0);
    EXPECT_EQ(Read("stereogram.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    ASSERT_EQ(Run(Small + Args{"-q", "-o", "out.BMP"}).Status, 0);
    const std::string Bmp = Read("out.BMP");
    ASSERT_GE(Bmp.size(), 54u);
    EXPECT_EQ(Bmp.substr(0, 2), "BM");
    EXPECT_EQ(std::uint8_t(Bmp[28]), 24) << "bits per pixel";
    EXPECT_EQ(Bmp.size(), 54u + 200 * 3 * 100) << "a 24-bit bitmap without palette";
    EXPECT_EQ(Files(), (std::set<std::string>{"stereogram.png", "out.BMP"}));
}

TEST_F(CliEndToEnd, SameSeedSameFileOtherSeedOtherFile) {
    for (const char* Kind : {"fast-random-dot", "random-dot-textured"}) {
        const Args Base = Args{"--type", Kind, "--blur", "medium"} + Small;
        ASSERT_EQ(Run(Base + Args{"--seed", "4294967295", "-o", "a.png"}).Status, 0);
        ASSERT_EQ(Run(Base + Args{"--seed", "4294967295", "-o", "b.png"}).Status, 0);
        ASSERT_EQ(Run(Base + Args{"--seed", "4294967294", "-o", "c.png"}).Status, 0);
        EXPECT_EQ(Read("a.png"), Read("b.png")) << Kind;
        EXPECT_NE(Read("a.png"), Read("c.png")) << Kind;
    }
}

TEST_F(CliEndToEnd, PngRecordsVersionAndOptionsThatMakeItAgain) {
    // No --seed: the clock's seed is recorded, and the recorded options reproduce the picture.
    const Args Options = Args{"--type", "fast-random-dot", "--dot-color", "rgb"} + Small;
    ASSERT_EQ(Run(Options + Args{"-q", "-o", "first.png"}).Status, 0);
    auto Text = PngTextChunks(Read("first.png"));
    EXPECT_EQ(Text["Software"], "stereogramm-cli " STEREOGRAMM_VERSION);
    const Args Recorded = Split(Text["Options"]);
    ASSERT_EQ(Recorded.size(), Options.size() + 2);
    EXPECT_EQ(Args(Recorded.begin(), Recorded.end() - 2), Options);
    EXPECT_EQ(Recorded[Recorded.size() - 2], "--seed");
    ASSERT_EQ(Run(Recorded + Args{"-q", "-o", "again.png"}).Status, 0);
    EXPECT_EQ(Read("first.png"), Read("again.png"));

    // Options without a value are recorded bare and replay the same picture.
    const Args Aids = Args{"--large", "--guide-dots", "--cross-eyed", "--threads", "2"} + Small;
    ASSERT_EQ(Run(Aids + Args{"-q", "-o", "aids.png"}).Status, 0);
    const Args AidsRecorded = Split(PngTextChunks(Read("aids.png"))["Options"]);
    EXPECT_EQ(Args(AidsRecorded.begin(), AidsRecorded.end() - 2), Aids);
    ASSERT_EQ(Run(AidsRecorded + Args{"-q", "-o", "aids-again.png"}).Status, 0);
    EXPECT_EQ(Read("aids.png"), Read("aids-again.png"));
    EXPECT_NE(Read("aids.png"), Read("first.png"));

    ASSERT_EQ(Run(Args{"--seed", "12", "--width=300", "-o", "seeded.png", "--depth", "sample:5"}).Status, 0);
    EXPECT_EQ(PngTextChunks(Read("seeded.png"))["Options"], "--width 300 --depth sample:5 --seed 12");
}

TEST_F(CliEndToEnd, StartStateIsTheWindowsFirstState) {
    const auto S = Settings({});
    const std::map<std::string, std::string> Expected{
        {"type", "textured"}, {"blur", "none"}, {"dot-color", "black-white"}, {"dot-intensity", "50"}, {"oversampling", "4"},
        {"observ-distance", "14"}, {"max-depth", "14"}, {"min-depth", "8"}, {"dpi", "72"}, {"width", "800"},
        {"height", "500"}, {"separation", "85"},  // texture 1 is 85 pixels wide
        {"large", "off"}, {"guide-dots", "off"}, {"cross-eyed", "off"},
    };
    EXPECT_EQ(S, Expected);
    EXPECT_TRUE(Files().empty()) << "--print-settings renders nothing";
}

TEST_F(CliEndToEnd, OptionOrderActsAsTheSettersDo) {
    EXPECT_EQ(Settings({"--oversampling", "4", "--type", "fast-random-dot"})["oversampling"], "1");
    EXPECT_EQ(Settings({"--type", "fast-random-dot", "--oversampling", "4", "--type", "textured"})["oversampling"], "1");
    EXPECT_EQ(Settings({"--type", "fast-random-dot", "--type", "textured", "--oversampling", "4"})["oversampling"], "4");
    EXPECT_EQ(Settings({"--oversampling", "9"})["oversampling"], "8");
    EXPECT_EQ(Settings({"--width", "0"})["width"], "600");
    EXPECT_EQ(Settings({"--height", "801", "--dot-intensity", "100"})["height"], "800");
    // A depth map enlarges the output, later options shrink it again.
    EXPECT_EQ(Settings({"--height", "300", "--depth", "sample:2"})["height"], "600");
    EXPECT_EQ(Settings({"--depth", "sample:2", "--height", "300"})["height"], "300");
    // Coloured dots follow the depth map (sample 1 is 640 × 480) whatever is asked.
    auto Colored = Settings({"--type", "colored-dot", "--width", "100", "--height", "900"});
    EXPECT_EQ(Colored["width"], "640");
    EXPECT_EQ(Colored["height"], "480");
    // The DPI is halved to fit the height only when it is set.
    EXPECT_EQ(Settings({"--dpi", "700"})["dpi"], "250");
    EXPECT_EQ(Settings({"--height", "100", "--dpi", "72"})["dpi"], "72");
    auto Separated = Settings({"--type", "fast-random-dot", "--separation", "100"});
    EXPECT_EQ(Separated["max-depth"], "17.513");
    EXPECT_EQ(Separated["separation"], "100");
    EXPECT_EQ(Settings({"--separation", "180"})["max-depth"], "14") << "out of range: unchanged";
    auto Named = Settings({"--blur", "heavy", "--dot-color", "rgb", "--min-depth", "2.5", "--observ-distance", "20"});
    EXPECT_EQ(Named["blur"], "heavy");
    EXPECT_EQ(Named["dot-color"], "rgb");
    EXPECT_EQ(Named["min-depth"], "2.5");
    EXPECT_EQ(Named["observ-distance"], "20");
    // --large acts from where it stands; --paper sizes at the dpi before it, --landscape after it turns it.
    EXPECT_EQ(Settings({"--width", "3000", "--large"})["width"], "1024");
    EXPECT_EQ(Settings({"--large", "--width", "3000"})["width"], "3000");
    auto A4 = Settings({"--dpi", "300", "--paper", "a4", "--guide-dots"});
    EXPECT_EQ(A4["width"] + " x " + A4["height"], "2480 x 3508");
    EXPECT_EQ(A4["large"] + " " + A4["guide-dots"], "on on");
    auto Landscape = Settings({"--dpi", "300", "--paper", "A4", "--landscape"});
    EXPECT_EQ(Landscape["width"] + " x " + Landscape["height"], "3508 x 2480");
}

TEST_F(CliEndToEnd, RefusedRunsExitOneWithAnEnglishLineNamingWhatToChangeAndWriteNothing) {
    WriteFile(Dir / "stereogram.png", "old");
    // Each refusal of the generator and a writer's, and an option its line names as the one to change.
    const std::vector<std::pair<Args, std::string>> Refused{
        {{"--depth", "none"}, "--depth FILE"},
        {{"--mask", "none", "--depth", "none", "--type", "colored-dot"}, "--depth FILE"},
        {{"--mask", "none", "--type", "textured"}, "--mask FILE"},
        {{"--mask", "none", "--type", "colored-dot"}, "--mask FILE"},
        {{"--max-depth", "0", "--min-depth", "0"}, "raise --max-depth"},
        {{"--width", "50"}, "raise --width"},
        // A writer's limit, past the picture the run made.
        {{"--large", "--width", "16384", "--height", "100", "-q", "-o", "x.webp"}, "the width, 16384 pixels, is more than WebP holds, 16383 pixels a side; give --width"},
    };
    for (const auto& [Arguments, Hint] : Refused) {
        const Result R = Run(Arguments);
        EXPECT_EQ(R.Status, 1) << Arguments[0];
        EXPECT_TRUE(R.Err.starts_with("stereogramm-cli: ")) << R.Err;
        EXPECT_NE(R.Err.find(Hint), std::string::npos) << R.Err;
        EXPECT_EQ(std::count(R.Err.begin(), R.Err.end(), '\n'), 1) << R.Err;
        EXPECT_EQ(R.Out, "");
    }
    EXPECT_EQ(Read("stereogram.png"), "old");
    EXPECT_EQ(Files(), std::set<std::string>{"stereogram.png"});
    // Random dots need no mask.
    EXPECT_EQ(Run(Args{"--mask", "none", "--type", "random-dot-textured", "-q"} + Small).Status, 0);
}

TEST_F(CliEndToEnd, UsageErrorsExitTwoWithAHintAndWriteNothing) {
    const std::vector<Args> Wrong{
        {"--bogus"}, {"--width"}, {"--width", "wide"}, {"--dpi", "99999999999"}, {"--seed", "-1"},
        {"--depth", "sample:29"}, {"--mask", "texture:0"}, {"--type", "sirds"}, {"-o", "out.txt"}, {"a.png", "b.png"},
        {"--depth", "a.png", "b.png"}, {"-", "-o", "out/"}, {"--depth", "-", "--mask", "-"}, {"--format", "bmp", "-o", "a.png"},
        {"--depth-out", "a.png", "-o", "a.png"}, {"--depth-out", "d.png", "-o", "out/", "a.png", "b.png"},
        {"-o", "out/", "a/x.png", "b/x.bmp"}, {"-j", "0"},
        {"--frames", "1", "-o", "a.gif"}, {"--frames", "10001", "-o", "a.gif"}, {"--fps", "0"}, {"-o", "a.mp4"},
        {"--frames", "3", "-o", "a.png"}, {"--frames", "3", "-o", "-"}, {"--animate", "a.png", "-o", "a.gif"},
        {"--frames", "3", "a.png", "b.png", "-o", "a.gif"},
    };
    for (const Args& A : Wrong) {
        const Result R = Run(A);
        EXPECT_EQ(R.Status, 2) << A[0];
        EXPECT_TRUE(R.Err.starts_with("stereogramm-cli: ")) << R.Err;
        EXPECT_TRUE(R.Err.ends_with("\nTry 'stereogramm-cli --help' for more information.\n")) << R.Err;
        EXPECT_EQ(std::count(R.Err.begin(), R.Err.end(), '\n'), 2) << R.Err;
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliEndToEnd, UnreadableInputsExitOneNamingTheFileAndWriteNothing) {
    WriteStepDepthMap("step.png");
    WriteFile(Dir / "text.png", "this is not a picture");
    WriteFile(Dir / "half.png", Read("step.png").substr(0, 60));
    WriteFile(Dir / "empty.jpg", "");
    fs::create_directory(Dir / "folder.png");
    for (const char* Fixture : {"png_image_data_truncated.png", "jpeg_12bit_unsupported.jpg", "jpeg_claims_60000x60000.jpg"})
        fs::copy_file(fs::path(STEREO_TEST_DATA) / Fixture, Dir / Fixture);
    for (const char* Name : {"text.png", "half.png", "empty.jpg", "missing.bmp", "folder.png", "png_image_data_truncated.png",
                             "jpeg_12bit_unsupported.jpg", "jpeg_claims_60000x60000.jpg"}) {
        for (const char* Option : {"--depth", "--mask"}) {
            const Result R = Run({Option, Name});
            EXPECT_EQ(R.Status, 1) << Name;
            EXPECT_TRUE(R.Err.starts_with(std::string("stereogramm-cli: ") + Name + ": ")) << R.Err;
            EXPECT_EQ(std::count(R.Err.begin(), R.Err.end(), '\n'), 1) << R.Err;
            EXPECT_TRUE(std::ranges::all_of(R.Err, [](char C) { return C > 0; })) << "English, no umlauts: " << R.Err;
        }
    }
    EXPECT_EQ(Run({"--depth", "missing.bmp"}).Err, "stereogramm-cli: missing.bmp: cannot read it: No such file or directory\n");
    EXPECT_EQ(Run({"--depth", "folder.png"}).Err, "stereogramm-cli: folder.png: cannot read it: Is a directory\n");
    EXPECT_EQ(Run({"--mask", "sample:3"}).Err, "stereogramm-cli: sample:3: cannot read it: No such file or directory; the "
                                               "built-in textures are texture:1 to texture:14\n");
    EXPECT_EQ(Run({"--depth", "jpeg_claims_60000x60000.jpg"}).Err,
              "stereogramm-cli: jpeg_claims_60000x60000.jpg: too large (60000 x 60000 pixels); pictures may have 16384 "
              "pixels a side and 256 MiB of pixels at most; scale it down\n");
    const Result Unwritable = Run({"-o", "no/such/folder/out.png"});
    EXPECT_EQ(Unwritable.Status, 1);
    EXPECT_EQ(Unwritable.Err, "stereogramm-cli: no/such/folder/out.png: cannot write it: its folder does not exist\n");
    EXPECT_FALSE(fs::exists(Dir / "stereogram.png"));
}

TEST_F(CliEndToEnd, DepthFileShapesTheRandomDots) {
    WriteStepDepthMap("step.bmp");
    const Result R = Run({"--type", "fast-random-dot", "--depth", "step.bmp", "--width", "300", "--height", "200", "-o", "out.ppm"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const Ppm Out = ParsePpm(Read("out.ppm"));
    ASSERT_EQ(Out.Width, 300);
    // Far background: dots repeat every 90 pixels. The white rectangle (columns 100 to 199,
    // rows 60 to 139) lies nearer: there they repeat every 66 pixels, and not every 90.
    EXPECT_GT(ShareRepeatingAt(Out, 20, 0, 210, 90), 0.95);
    EXPECT_GT(ShareRepeatingAt(Out, 100, 105, 130, 66), 0.95);
    EXPECT_LT(ShareRepeatingAt(Out, 100, 105, 130, 90), 0.8);
}

TEST_F(CliEndToEnd, TextureFileColoursTheTexturedKind) {
    WriteStepDepthMap("step.png");
    WriteRedBlueTexture("texture.png");
    const Result R = Run(Args{"--depth", "step.png", "--mask", "texture.png"} + Small + Args{"-o", "out.ppm"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const Ppm Out = ParsePpm(Read("out.ppm"));
    int Green = 0;
    for (std::size_t I = 1; I < Out.Pixels.size(); I += 3) Green += Out.Pixels[I] != 0;
    EXPECT_EQ(Green, 0) << "only the texture's red and blue, and their averages";
    EXPECT_EQ(Settings({"--mask", "texture.png"})["separation"], "64") << "the texture's width caps the separation";
}

// Each depth map is written to a file once, as the command line reads it, and each texture
// renders all of them as one batch: every pair goes through the command line without
// starting it 392 times.
TEST_F(CliEndToEnd, EverySampleWithEveryTextureRenders) {
    const auto Name = [](int N) { return "sample" + std::to_string(N); };
    Args Files;
    for (int N = 1; N <= 28; ++N) {
        const Result R = Run({"--depth", "sample:" + std::to_string(N), "--depth-out", Name(N) + ".png", "--type", "fast-random-dot", "-q", "-o", "x.ppm"});
        ASSERT_EQ(R.Status, 0) << N << ": " << R.Err;
        Files.push_back(Name(N) + ".png");
    }
    for (int M = 1; M <= 14; ++M) {
        const Args Texture{"--mask", "texture:" + std::to_string(M), "-q", "--format", "ppm"};
        // Every pair small, and each depth map once at the size it gives the output.
        Result R = Run(Texture + Small + Args{"-o", "small/"} + Files);
        ASSERT_EQ(R.Status, 0) << M << ": " << R.Err;
        R = Run(Texture + Args{"-o", "full/", Files[std::size_t(M - 1)], Files[std::size_t(M + 13)]});
        ASSERT_EQ(R.Status, 0) << M << ": " << R.Err;
        for (int N = 1; N <= 28; ++N) {
            const Ppm Out = ParsePpm(Read("small/" + Name(N) + ".ppm"));
            EXPECT_EQ(Out.Width * 1000 + Out.Height, 200100) << N << ", " << M;
        }
        for (const int N : {M, M + 14}) EXPECT_GT(ParsePpm(Read("full/" + Name(N) + ".ppm")).Width, 0) << N << ", " << M;
    }
}

TEST_F(CliEndToEnd, HelpVersionAndSampleList) {
    Result R = Run({"--help"});
    EXPECT_EQ(R.Status, 0);
    for (const char* Option : {"--depth", "--mask", "--type", "--blur", "--dot-color", "--dot-intensity", "--oversampling",
                               "--observ-distance", "--max-depth", "--min-depth", "--dpi", "--width", "--height",
                               "--separation", "--seed", "--output", "--print-settings", "--list-samples", "--quiet",
                               "--version"})
        EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
    R = Run({"--version"});
    EXPECT_EQ(R.Out, "stereogramm-cli " STEREOGRAMM_VERSION "\n");
    R = Run({"--list-samples"});
    EXPECT_EQ(R.Status, 0);
    EXPECT_NE(R.Out.find("\n   28   680 x 680   a "), std::string::npos) << R.Out;
    EXPECT_NE(R.Out.find("\n   14   169 x 416   pink "), std::string::npos) << R.Out;
    EXPECT_EQ(std::count(R.Out.begin(), R.Out.end(), '\n'), 2 + 28 + 14);
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliEndToEnd, WarningsGoToStandardErrorAndTheRunStillWrites) {
    const Args Asked{"--width", "2000", "--separation", "500", "--min-depth", "20", "--observ-distance", "-10", "-o", "out.png"};
    const std::string Warnings =
        "stereogramm-cli: warning: --width 2000: the widest output is 1024 (give --large before it for up to 16384); using 1024\n"
        "stereogramm-cli: warning: --separation 500: ignored at 72 dpi, it must be below 180\n"
        "stereogramm-cli: warning: the near plane, 20 inches (--min-depth), lies behind the far plane, 14 inches "
        "(--max-depth): the relief comes out inside out; give --min-depth below --max-depth\n"
        "stereogramm-cli: warning: the viewing distance is negative, -10 inches (--observ-distance): the relief cannot be "
        "seen; give a positive --observ-distance\n";
    Result R = Run(Asked);
    EXPECT_EQ(R.Status, 0);
    EXPECT_EQ(R.Err, Warnings);
    EXPECT_TRUE(R.Out.starts_with("out.png: 1024 x 500, seed ")) << R.Out;
    R = Run(Asked + Args{"-q"});
    EXPECT_EQ(R.Err, Warnings) << "-q keeps the warnings";
    EXPECT_EQ(R.Out, "");
    R = Run(Asked + Args{"--no-warnings"});
    EXPECT_EQ(R.Err, "");
    EXPECT_NE(R.Out, "");
    EXPECT_EQ(PngTextChunks(Read("out.png"))["Options"].substr(0, 40), "--width 2000 --separation 500 --min-dept");

    // colored-dot keeps the size it took from the depth map before it (sample 1, 640 × 480).
    WriteStepDepthMap("step.png");
    R = Run({"--type", "colored-dot", "--depth", "step.png", "-o", "dots.ppm", "-q"});
    EXPECT_EQ(R.Err, "stereogramm-cli: warning: --depth step.png: colored-dot keeps 640 x 480, the size it took from the depth "
                     "map before; give --depth before --type colored-dot to use this map's size, 300 x 200\n");
    EXPECT_EQ(ParsePpm(Read("dots.ppm")).Width, 640);
    EXPECT_EQ(Run({"--depth", "step.png", "--type", "colored-dot", "-o", "dots.ppm", "-q"}).Err, "");
    EXPECT_EQ(ParsePpm(Read("dots.ppm")).Width, 300);

    // An option that comes too late to change anything says so; in the right order, nothing.
    const std::string Model = STEREO_TEST_DATA "/stl_sphere.stl", W = "stereogramm-cli: warning: ";
    const std::vector<std::pair<Args, std::string>> LateOptions{
        {{"--depth", Model, "--rotate", "0,180,0"},
         W + "--rotate 0,180,0 comes after the last model and turns nothing; give it before --depth\n"},
        {{"--camera", "perspective"}, W + "--camera perspective has no model after it and changes nothing; give it before --depth\n"},
        {{"--depth", "text:Hi", "--font", "DejaVu Serif"},
         W + "--font DejaVu Serif comes after the last text: depth map and changes nothing; give it before --depth text:\n"},
        {{"--paper", "A4", "--dpi", "300"},
         W + "--dpi 300 comes after --paper A4 and does not resize the page: it keeps 595 x 842 pixels, sized at 72 dpi; give "
             "--dpi before --paper (--dpi 300 --paper A4)\n"},
        {{"--landscape"},
         W + "--landscape has no --paper before it and turns nothing: the output, 800 x 500, lies on its side already; give it "
             "after --paper\n"},
        {{"--rotate", "0,180,0", "--camera", "perspective", "--depth", Model}, ""},
        {{"--font", "DejaVu Serif", "--text-profile", "flat", "--depth", "text:Hi"}, ""},
        {{"--dpi", "300", "--paper", "A4", "--landscape"}, ""},
        {{"--rotate", "0,180,0", "step.png"}, ""},
    };
    for (const auto& [Options, Expected] : LateOptions) {
        R = Run(Options + Args{"--print-settings"});
        EXPECT_EQ(R.Status, 0) << Options[0];
        EXPECT_EQ(R.Err, Expected);
        EXPECT_EQ(Run(Options + Args{"--print-settings", "--no-warnings"}).Err, "");
    }
}

TEST_F(CliEndToEnd, PicturesComeFromStandardInputAndGoToStandardOutput) {
    WriteStepDepthMap("step.png");
    WriteRedBlueTexture("texture.png");
    for (const auto& [Option, File] : std::vector<std::pair<std::string, std::string>>{{"--depth", "step.png"}, {"--mask", "texture.png"}}) {
        const Args Same = Small + Args{"--seed", "5"};
        ASSERT_EQ(Run(Args{Option, File, "-o", "file.ppm"} + Same).Status, 0);
        const Result Piped = Run(Args{Option, "-", "--format", "ppm", "-o", "-"} + Same, File);
        ASSERT_EQ(Piped.Status, 0) << Piped.Err;
        EXPECT_EQ(Piped.Out, Read("file.ppm")) << Option;
        EXPECT_EQ(Piped.Err, "standard output: 200 x 100, seed 5\n");
    }
    const Result Png = Run({"--depth", "-", "-o", "-", "-q"}, "step.png");
    EXPECT_EQ(Png.Out.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(PngTextChunks(Png.Out)["Options"].substr(0, 16), "--depth - --seed");
    EXPECT_TRUE(Run({"--depth", "-"}).Err.starts_with("stereogramm-cli: standard input: not a picture in a format we read ("));
}

TEST_F(CliEndToEnd, ABatchRendersEveryFileGoesOnPastAFailureAndCountsIt) {
    WriteStepDepthMap("a.png");
    WriteStepDepthMap("c.bmp");
    WriteFile(Dir / "b.png", "not a picture");
    const Result R = Run({"--type", "fast-random-dot", "--seed", "9", "-o", "out/", "a.png", "b.png", "c.bmp"});
    EXPECT_EQ(R.Status, 1);
    EXPECT_TRUE(R.Err.starts_with("stereogramm-cli: b.png: not a picture")) << R.Err;
    EXPECT_TRUE(R.Err.ends_with("\nstereogramm-cli: 1 of 3 files failed\n")) << R.Err;
    EXPECT_EQ(R.Out, "2 of 3 files written to out/\n");
    EXPECT_EQ(Read("out/a.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_TRUE(fs::exists(Dir / "out/c.png"));
    EXPECT_FALSE(fs::exists(Dir / "out/b.png"));
    // Each file's options replay its picture, with the seed every file got.
    const std::string Recorded = PngTextChunks(Read("out/a.png"))["Options"];
    EXPECT_EQ(Recorded, "--depth a.png --type fast-random-dot --seed 9");
    ASSERT_EQ(Run(Split(Recorded) + Args{"-q", "-o", "again.png"}).Status, 0);
    EXPECT_EQ(Read("again.png"), Read("out/a.png"));
    // Writing into the files' own folder would replace them: that file fails, nothing is lost.
    const std::string Input = Read("a.png");
    const Result Own = Run({"-q", "-o", "./", "a.png"});
    EXPECT_EQ(Own.Status, 1);
    EXPECT_EQ(Own.Err, "stereogramm-cli: ./a.png: is one of this run's input pictures and would be lost; choose another output\n");
    EXPECT_EQ(Read("a.png"), Input);
}

TEST_F(CliEndToEnd, FilesRenderedTwoAtATimeAreTheFilesRenderedOneAtATime) {
    Args Files;
    for (int N = 1; N <= 4; ++N) {
        Files.push_back("d" + std::to_string(N) + ".png");
        const TBitmap Depth = [N] {
            TBitmap B(120 + 20 * N, 90);
            for (int X = 10 * N; X < 60 + 10 * N; ++X)
                for (int Y = 20; Y < 70; ++Y) B.SetPixel(X, Y, PackColor(40 * N, 40 * N, 40 * N));
            return B;
        }();
        SaveBitmapToFile(Depth, (Dir / Files.back()).string());
    }
    for (const char* Kind : {"random-dot-textured", "fast-random-dot"}) {
        const Args Same = Args{"--type", Kind, "--blur", "light", "--seed", "3", "-q"} + Small + Files;
        ASSERT_EQ(Run(Same + Args{"-j", "1", "-o", "one/"}).Status, 0);
        ASSERT_EQ(Run(Same + Args{"-j", "2", "-o", "two/"}).Status, 0);
        for (const std::string& File : Files) EXPECT_EQ(Read("one/" + File), Read("two/" + File)) << Kind << " " << File;
        EXPECT_NE(Read("one/d1.png"), Read("one/d2.png"));
    }
}

TEST_F(CliEndToEnd, FitAndInvertMakeTheDepthMapTheRunReadsAndDepthOutShowsIt) {
    SaveBitmapToFile(TBitmap(40, 40), (Dir / "black.png").string());
    // Black inverted is white; 40 × 40 fitted into 200 × 100 is 100 × 100 in the middle.
    const Result R = Run(Args{"--depth", "black.png"} + Small + Args{"--invert-depth", "--fit", "--depth-out", "used.ppm", "-q"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const Ppm Used = ParsePpm(Read("used.ppm"));
    ASSERT_EQ(Used.Width * 1000 + Used.Height, 200100);
    for (const int X : {0, 49, 50, 149, 150, 199}) EXPECT_EQ(Used.PixelAt(X, 50), std::string(3, X >= 50 && X < 150 ? '\xff' : '\0')) << X;
    EXPECT_TRUE(PngTextChunks(Read("stereogram.png"))["Options"].ends_with("--invert-depth --fit --seed " +
                                                                          Split(PngTextChunks(Read("stereogram.png"))["Options"]).back()));
    // Without --fit the generator centres the map as it is.
    ASSERT_EQ(Run(Args{"--depth", "black.png"} + Small + Args{"--invert-depth", "--depth-out", "used.ppm", "-q"}).Status, 0);
    const Ppm Placed = ParsePpm(Read("used.ppm"));
    for (const int X : {79, 80, 119, 120}) EXPECT_EQ(Placed.PixelAt(X, 50), std::string(3, X >= 80 && X < 120 ? '\xff' : '\0')) << X;
}

TEST_F(CliEndToEnd, TextAndModelDepthMapsRenderAsTheDepthMapTheyWrite) {
    // Drawn at the size set before them; the map --depth-out writes renders the same picture.
    const Args Settings{"--type", "fast-random-dot", "--width", "240", "--height", "160", "--seed", "5", "-q"};
    for (const std::string Source : {"text:Hi\\nthere", STEREO_TEST_DATA "/stl_sphere.stl"}) {
        ASSERT_EQ(Run(Settings + Args{"--depth", Source, "--depth-out", "used.ppm", "-o", "made.ppm"}).Status, 0) << Source;
        const Ppm Used = ParsePpm(Read("used.ppm"));
        EXPECT_EQ(Used.Width, 240) << Source;
        EXPECT_EQ(Used.Height, 160) << Source;
        EXPECT_NE(Used.Pixels.find_first_not_of('\0'), std::string::npos) << Source << ": something stands out";
        ASSERT_EQ(Run(Settings + Args{"--depth", "used.ppm", "-o", "again.ppm"}).Status, 0) << Source;
        EXPECT_EQ(Read("made.ppm"), Read("again.ppm")) << Source;
    }
}

TEST_F(CliEndToEnd, AnimationFramesAreTheStillsTheirOptionsRecord) {
    const std::string Model = STEREO_TEST_DATA "/stl_l_block.stl";
    WriteStepDepthMap("step.png");
    // A turning model with fresh or the same dots, and a sequence of depth maps.
    const std::vector<Args> Animations{
        Small + Args{"--depth", Model, "--type", "fast-random-dot", "--frames", "3", "--spin", "0,90,0", "--seed", "4294967295"},
        Small + Args{"--rotate", "10,0,0", "--depth", Model, "--frames", "3", "--spin", "30,0,0", "--same-dots", "--seed", "5"},
        Small + Args{"--animate", "step.png", "step.png", "--seed", "9"},
    };
    for (const Args& Animation : Animations) {
        SCOPED_TRACE(Animation[4]);
        fs::remove_all(Dir / "frames");
        const Result Frames = Run(Animation + Args{"-q", "-o", "frames/", "--threads", "2"});
        ASSERT_EQ(Frames.Status, 0);
        EXPECT_EQ(Frames.Err, "");  // a --rotate before the model turns it
        ASSERT_EQ(Run(Animation + Args{"-q", "-o", "frames.webp", "--threads", "2"}).Status, 0);
        ASSERT_EQ(Run(Animation + Args{"-q", "-o", "frames.gif", "--threads", "2"}).Status, 0);
        TReadBack WebP = ReadWebP((Dir / "frames.webp").string()), Gif = ReadGif((Dir / "frames.gif").string());
        const int Count = int(std::distance(fs::directory_iterator(Dir / "frames"), fs::directory_iterator()));
        // Each file records the first frame's options and those that make it all again.
        EXPECT_EQ(WebP.Record, PngTextChunks(Read("frames/frame-0001.png")));
        EXPECT_EQ(Gif.Record, WebP.Record);
        ASSERT_EQ(Run(Split(WebP.Record["Animation"]) + Args{"-q", "-o", "again.webp"}).Status, 0) << WebP.Record["Animation"];
        EXPECT_EQ(Read("again.webp"), Read("frames.webp"));
        ASSERT_EQ(WebP.Frames.size(), std::size_t(Count));
        ASSERT_EQ(Gif.Frames.size(), std::size_t(Count));
        std::set<std::string> Distinct;
        for (int Frame = 0; Frame < Count; ++Frame) {
            const std::string Name = "frames/frame-000" + std::to_string(Frame + 1) + ".png";
            const std::string Png = Read(Name);
            Distinct.insert(Png);
            ASSERT_EQ(Run(Split(PngTextChunks(Png)["Options"]) + Args{"-q", "-o", "still.png"}).Status, 0);
            TPicture Still, Written;
            LoadPictureFromFile(Still, (Dir / "still.png").string());
            LoadPictureFromFile(Written, (Dir / Name).string());
            EXPECT_EQ(Difference(Written.Bitmap(), Still.Bitmap()).Largest, 0) << Name;
            EXPECT_EQ(Difference(WebP.Frames[std::size_t(Frame)], Still.Bitmap()).Largest, 0) << Name;
            // Black-and-white dots are exact, colours within the quantiser's error.
            const TDifference OfGif = Difference(Gif.Frames[std::size_t(Frame)], Still.Bitmap());
            EXPECT_LE(OfGif.Largest, Animation[6] == "fast-random-dot" ? 0 : 32) << Name;
            EXPECT_LE(OfGif.Mean, 2.0) << Name;
        }
        EXPECT_EQ(Distinct.size(), std::size_t(Count));  // each frame records its own seed
    }
    // The seed of the frame after 4294967295 wraps to 0.
    fs::remove_all(Dir / "frames");
    ASSERT_EQ(Run(Animations[0] + Args{"-q", "-o", "frames/"}).Status, 0);
    EXPECT_TRUE(PngTextChunks(Read("frames/frame-0002.png"))["Options"].ends_with("--seed 0"));
}

TEST_F(CliEndToEnd, ADepthVideoGivesItsFramesAndAPictureDoesNotTurn) {
    ASSERT_EQ(Run(Small + Args{"--depth", "sample:3", "--frames", "4", "--fps", "10", "-q", "-o", "depth.webm"}).Status, 0);
    const Result Video = Run(Small + Args{"--depth", "depth.webm", "-o", "video/"});
    ASSERT_EQ(Video.Status, 0) << Video.Err;
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir / "video"), fs::directory_iterator()), 4);
    EXPECT_NE(Video.Out.find("4 frames of"), std::string::npos) << Video.Out;
    // A video records how it was made, its first frame's options and the animation's.
    ASSERT_EQ(Run(Small + Args{"--depth", "sample:3", "--frames", "2", "--seed", "3", "-q", "-o", "depth.mp4"}).Status, 0);
    for (const std::string Name : {"depth.webm", "depth.mp4"}) {
        std::map<std::string, std::string> Record = ReadVideoRecord((Dir / Name).string());
        fs::remove_all(Dir / "again");
        ASSERT_EQ(Run(Split(Record["Animation"]) + Args{"-q", "-o", "again/"}).Status, 0) << Record["Animation"];
        ASSERT_EQ(Run(Split(Record["Options"]) + Args{"-q", "-o", "first.png"}).Status, 0) << Record["Options"];
        TPicture Replayed, First;
        LoadPictureFromFile(Replayed, (Dir / "again/frame-0001.png").string());
        LoadPictureFromFile(First, (Dir / "first.png").string());
        EXPECT_EQ(Difference(Replayed.Bitmap(), First.Bitmap()).Largest, 0) << Name;
    }
    const Result Picture = Run(Small + Args{"--depth", "sample:3", "--frames", "2", "--spin", "0,10,0", "-o", "p.gif"});
    EXPECT_EQ(Picture.Status, 0);
    EXPECT_NE(Picture.Err.find("does not turn"), std::string::npos) << Picture.Err;
    const Result Still = Run(Small + Args{"--spin", "0,10,0", "--same-dots", "-o", "still.png"});
    EXPECT_EQ(Still.Status, 0);
    EXPECT_NE(Still.Err.find("--spin applies to an animation only"), std::string::npos) << Still.Err;
    EXPECT_NE(Still.Err.find("--same-dots applies to an animation only"), std::string::npos) << Still.Err;
}

// A picture of ours is revealed through its recorded options; one without them, or with
// nothing repeating in it, as relative depth or not at all.
TEST_F(CliEndToEnd, RevealReadsTheDepthBackAndRefusesPicturesWithoutRepeats) {
    WriteStepDepthMap("step.png");
    ASSERT_EQ(Run({"-q", "--type", "fast-random-dot", "--seed", "4", "-o", "dots.png", "--depth", "step.png"}).Status, 0);
    ASSERT_EQ(Run({"-q", "--type", "fast-random-dot", "--seed", "4", "-o", "dots.bmp", "--depth", "step.png"}).Status, 0);
    const Result Recorded = Run({"--reveal", "dots.png", "--print-settings"});
    EXPECT_EQ(Recorded.Status, 0) << Recorded.Err;
    EXPECT_TRUE(Recorded.Out.starts_with("far-repeat=90.")) << Recorded.Out;
    EXPECT_NE(Recorded.Out.find("\ndepth=recorded\n"), std::string::npos) << Recorded.Out;
    EXPECT_NE(Run({"--reveal", "dots.bmp", "--print-settings"}).Out.find("depth=relative"), std::string::npos);
    EXPECT_EQ(Run({"-q", "--reveal", "dots.png", "--view", "pair", "-o", "pair.png"}).Status, 0);
    EXPECT_EQ(Run({"-q", "--reveal", "dots.png", "--view", "wiggle", "-o", "wiggle.gif"}).Status, 0);

    TBitmap Flat(300, 100);
    SaveBitmapToFile(Flat, (Dir / "flat.png").string());
    const Result Refused = Run({"--reveal", "flat.png", "-o", "depth.png"});
    EXPECT_EQ(Refused.Status, 1);
    EXPECT_EQ(Refused.Err, "stereogramm-cli: flat.png: no repeating pattern found: looked for a horizontal repeat of 8 to 150 pixels "
                           "in 16 rows; is it a single-image stereogram?\n");
    EXPECT_EQ(Run({"--reveal", "flat.png", "--view", "wiggle", "-o", "w.png"}).Status, 2);
    EXPECT_EQ(Files(), (std::set<std::string>{"step.png", "dots.png", "dots.bmp", "pair.png", "wiggle.gif", "flat.png"}));
}
