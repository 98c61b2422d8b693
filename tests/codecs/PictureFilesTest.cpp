#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "BmpFormat.h"
#include "Exception.h"
#include "JPEGImage.h"
#include "PictureFiles.h"
#include "ExpectMessage.h"
#include "TestPictures.h"

TEST(PictureFiles, ExtensionChoosesTheKindIgnoringCase) {
    const TTempDir Dir;
    WriteBytes(Dir.File("a.JPG"), EncodeJpeg(ColourRamp(5, 4)));
    WriteBytes(Dir.File("b.jpeg"), EncodeJpeg(ColourRamp(5, 4)));
    WriteBytes(Dir.File("c.Bmp"), WriteBmp(ColourRamp(3, 2)));
    WriteBytes(Dir.File("d.PNG"), WritePng(ColourRamp(3, 2)));
    TPicture P;
    LoadPictureFromFile(P, Dir.File("a.JPG"));
    EXPECT_NE(P.As<TJPEGImage>(), nullptr);
    LoadPictureFromFile(P, Dir.File("b.jpeg"));
    EXPECT_NE(P.As<TJPEGImage>(), nullptr);
    LoadPictureFromFile(P, Dir.File("c.Bmp"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_EQ(P.Width(), 3);
    LoadPictureFromFile(P, Dir.File("d.PNG"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_EQ(P.Height(), 2);
}

TEST(PictureFiles, ContentDecidesTheFormatWhateverTheName) {
    const TTempDir Dir;
    const auto Jpeg = EncodeJpeg(ColourRamp(5, 4));
    WriteBytes(Dir.File("ramp.gif"), Jpeg);
    WriteBytes(Dir.File("noextension"), Jpeg);
    WriteBytes(Dir.File("png.bmp"), WritePng(ColourRamp(5, 4)));
    WriteBytes(Dir.File("bmp.jpg"), WriteBmp(ColourRamp(5, 4)));
    for (const char* Name : {"ramp.gif", "noextension", "png.bmp", "bmp.jpg"}) {
        TPicture P;
        LoadPictureFromFile(P, Dir.File(Name));
        EXPECT_EQ(P.Width(), 5) << Name;
        EXPECT_EQ(P.Height(), 4) << Name;
    }
}

TEST(PictureFiles, ContentOfNoFormatIsAnInvalidPictureAndChangesNothing) {
    const TTempDir Dir;
    WriteBytes(Dir.File("text.png"), {'h', 'e', 'l', 'l', 'o'});
    WriteBytes(Dir.File("empty.jpg"), {});
    WriteBytes(Dir.File("empty"), {});
    TPicture P;
    P.SetGraphic(std::make_unique<TBitmap>(7, 7));
    for (const char* Name : {"text.png", "empty.jpg", "empty"}) {
        EXPECT_THROW(LoadPictureFromFile(P, Dir.File(Name)), EInvalidGraphic) << Name;
        EXPECT_EQ(P.Width(), 7) << Name;
    }
}

TEST(PictureFiles, FileThatCannotBeOpenedNamesTheFile) {
    const TTempDir Dir;
    TPicture P;
    const std::string Missing = Dir.File("missing.bmp");
    EXPECT_EQ(MessageOf([&] { LoadPictureFromFile(P, Missing); }), "Datei kann nicht geöffnet werden: " + Missing);
    try {
        LoadPictureFromFile(P, Missing);
    } catch (const EFileError& E) {
        EXPECT_EQ(E.FileName(), Missing);
        EXPECT_EQ(E.SystemReason(), "No such file or directory");
    }
    std::filesystem::create_directory(Dir.File("folder.jpg"));
    EXPECT_EQ(MessageOf([&] { LoadPictureFromFile(P, Dir.File("folder.jpg")); }).rfind("Datei kann nicht", 0), 0u);
}

TEST(PictureFiles, ZeroLengthBitmapFileIsABitmapWithoutPixels) {
    const TTempDir Dir;
    WriteBytes(Dir.File("empty.bmp"), {});
    TPicture P;
    LoadPictureFromFile(P, Dir.File("empty.bmp"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_TRUE(P.Graphic()->Empty());
}

TEST(PictureFiles, SavedFilesReadBackByTheirExtension) {
    const TTempDir Dir;
    const TBitmap Ramp = ColourRamp(6, 5);
    for (const char* Name : {"out.png", "out.BMP", "out.webp", "out.ppm"}) {
        SaveBitmapToFile(Ramp, Dir.File(Name), {{"Software", "test"}});
        TPicture P;
        LoadPictureFromFile(P, Dir.File(Name));
        ASSERT_EQ(P.Width(), 6) << Name;
        ASSERT_EQ(P.Height(), 5) << Name;
        for (int Y = 0; Y < 5; ++Y)
            for (int X = 0; X < 6; ++X) EXPECT_EQ(P.Bitmap().Pixel(X, Y), Ramp.Pixel(X, Y)) << Name << " at " << X << ", " << Y;
    }
    EXPECT_EQ(std::filesystem::file_size(Dir.File("out.ppm")), 11u + 6 * 5 * 3);
    // No temporary file is left behind.
    for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
        EXPECT_EQ(Entry.path().filename().string().find(".tmp"), std::string::npos) << Entry.path();
}

TEST(PictureFiles, JpegOutputReadsBackCloseToTheSmoothPicture) {
    // A smooth 64 × 48 ramp at the default quality 92, colour at full resolution: per
    // channel the mean error stays below 1 and no value is off by more than 4.
    const TTempDir Dir;
    const TBitmap Ramp = ColourRamp(64, 48);
    SaveBitmapToFile(Ramp, Dir.File("out.jpeg"));
    TPicture P;
    LoadPictureFromFile(P, Dir.File("out.jpeg"));
    TBitmap Read;
    Read.Assign(*P.Graphic());
    ASSERT_EQ(Read.Height(), 48);
    EXPECT_LE(Difference(Read, Ramp).Largest, 4);
    EXPECT_LT(Difference(Read, Ramp).Mean, 1.0);
    // The quality option reaches the encoder: a lower quality makes a smaller file.
    SaveBitmapToFile(Ramp, Dir.File("low.jpg"), {}, {.JpegQuality = 30});
    EXPECT_LT(std::filesystem::file_size(Dir.File("low.jpg")), std::filesystem::file_size(Dir.File("out.jpeg")));
}

TEST(PictureFiles, SavingKeepsModesAndLinks) {
    const TTempDir Dir;
    const mode_t Saved = ::umask(027);
    SaveBitmapToFile(TBitmap(2, 2), Dir.File("new.png"));  // the umask decides
    ::umask(Saved);
    WriteBytes(Dir.File("old.bmp"), {});
    std::filesystem::permissions(Dir.File("old.bmp"), std::filesystem::perms(0604));
    SaveBitmapToFile(TBitmap(2, 2), Dir.File("old.bmp"));  // keeps its mode
    EXPECT_EQ(std::filesystem::status(Dir.File("new.png")).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::filesystem::status(Dir.File("old.bmp")).permissions(), std::filesystem::perms(0604));
    // Links, also chains and a link to a file still to be made, are followed and stay links.
    std::filesystem::create_directory(Dir.File("pictures"));
    std::filesystem::create_symlink("pictures/real.png", Dir.File("link.png"));
    std::filesystem::create_symlink("link.png", Dir.File("link-to-link.png"));
    SaveBitmapToFile(ColourRamp(3, 2), Dir.File("link-to-link.png"));
    EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("link.png")));
    EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("link-to-link.png")));
    TPicture P;
    LoadPictureFromFile(P, Dir.File("pictures/real.png"));
    EXPECT_EQ(P.Width(), 3);
}

TEST(PictureFiles, FailedSaveLeavesTheOldFileAndNoTemporaryFileAndSaysWhy) {
    const TTempDir Dir;
    EXPECT_EQ(MessageOf([&] { SaveBitmapToFile(TBitmap(2, 2), Dir.File("out.gif")); }), "Unbekanntes Dateiformat: " + Dir.File("out.gif"));
    // A full disk: a link to the full device, made in the test's folder where the system
    // allows it, so that nothing else can be hit. A device is written in place.
    std::string Full = Dir.File("full");
    if (::mknod(Full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 || ::access(Full.c_str(), W_OK) != 0) Full = "/dev/full";
    std::filesystem::create_symlink(Full, Dir.File("full.png"));
    for (const auto& [Name, Reason] : {std::pair{Dir.File("no/such/out.png"), ENOENT}, std::pair{Dir.File("full.png"), ENOSPC}}) {
        EXPECT_EQ(MessageOf([&] { SaveBitmapToFile(TBitmap(2, 2), Name); }), "Datei kann nicht geschrieben werden: " + Name);
        try {
            SaveBitmapToFile(TBitmap(2, 2), Name);
        } catch (const EFileError& E) {
            EXPECT_EQ(E.FileName(), Name);
            EXPECT_EQ(E.ErrorNumber(), Reason) << E.SystemReason();
        }
    }
    // A folder in the way: the rename fails, the folder stays, the temporary file goes.
    std::filesystem::create_directory(Dir.File("taken.bmp"));
    std::filesystem::create_directory(Dir.File("taken.bmp/inside"));
    EXPECT_THROW(SaveBitmapToFile(TBitmap(2, 2), Dir.File("taken.bmp")), Exception);
    EXPECT_TRUE(std::filesystem::is_directory(Dir.File("taken.bmp")));
    for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
        EXPECT_EQ(Entry.path().filename().string().find(".tmp"), std::string::npos) << Entry.path();
}

TEST(PictureFiles, WebPRefusesPicturesItCannotHold) {
    EXPECT_EQ(MessageOf([] { EncodeBitmap(TBitmap(16384, 1), TFileFormat::WebP); }),
              "WebP kann nicht geschrieben werden: höchstens 16383 Pixel Breite und Höhe");
    EXPECT_EQ(MessageOf([] { EncodeBitmap(TBitmap(), TFileFormat::WebP); }), "WebP kann nicht geschrieben werden: leeres Bild");
}
