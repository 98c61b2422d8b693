#include "PictureFiles.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "BmpFormat.h"
#include "Exception.h"
#include "GifFormat.h"
#include "JPEGImage.h"
#include "JpegCodec.h"
#include "PictureFormats.h"
#include "PnmFormat.h"
#include "TiffFormat.h"
#include "WebPFormat.h"

namespace {

// No picture within the size limits needs a larger file; a bigger one is not read into memory.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t(512) * 1024 * 1024;

[[noreturn]] void CannotRead(const std::string& FileName, int ErrorNumber) {
    throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, ErrorNumber);
}

std::unique_ptr<TGraphic> ReadGraphic(TFileFormat Format, std::span<const std::uint8_t> Bytes) {
    switch (Format) {
        case TFileFormat::Bmp: return std::make_unique<TBitmap>(ReadBmp(Bytes));
        case TFileFormat::Png: return std::make_unique<TBitmap>(ReadPng(Bytes));
        case TFileFormat::Pnm: return std::make_unique<TBitmap>(ReadPnm(Bytes));
        case TFileFormat::Tiff: return std::make_unique<TBitmap>(ReadTiff(Bytes));
        case TFileFormat::WebP: return std::make_unique<TBitmap>(ReadWebP(Bytes));
        case TFileFormat::Gif: return std::make_unique<TBitmap>(ReadGif(Bytes));
        case TFileFormat::Jpeg: {
            auto Jpeg = std::make_unique<TJPEGImage>();
            Jpeg->LoadFromBytes(Bytes);
            return Jpeg;
        }
    }
    const std::string Name(FormatInfo(Format).Name);
    throw EInvalidGraphic(Name + "-Bilder werden nicht gelesen", TReadFailure::Unsupported, Name, "this format is not read");
}

bool WriteAll(int File, std::span<const std::uint8_t> Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(File, Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR) continue;
        if (Written < 0) return false;
        if (Written == 0) {  // no room and no reason given
            errno = ENOSPC;
            return false;
        }
        Bytes = Bytes.subspan(static_cast<std::size_t>(Written));
    }
    return true;
}

[[noreturn]] void CannotWrite(const std::string& FileName, int ErrorNumber) {
    throw EFileError("Datei kann nicht geschrieben werden: " + FileName, FileName, ErrorNumber);
}

// Writes and closes File; on failure closes it all the same and reports why.
void WriteAndClose(int File, std::span<const std::uint8_t> Bytes, const std::string& FileName, bool Sync = false) {
    int ErrorNumber = 0;
    if (!WriteAll(File, Bytes) || (Sync && ::fsync(File) != 0)) ErrorNumber = errno;
    if (::close(File) != 0 && ErrorNumber == 0) ErrorNumber = errno;
    if (ErrorNumber != 0) CannotWrite(FileName, ErrorNumber);
}

// The file a name stands for: symbolic links are followed, however many deep, so that a
// link stays a link and the file it names gets the picture; a dangling link names the
// file to make.
std::filesystem::path FollowLinks(const std::string& FileName) {
    constexpr int MaxLinks = 40;  // as the system counts before giving up with ELOOP
    std::filesystem::path Path = FileName;
    for (int Link = 0; Link < MaxLinks; ++Link) {
        std::error_code Error;
        if (!std::filesystem::is_symlink(Path, Error)) return Path;
        const std::filesystem::path Target = std::filesystem::read_symlink(Path, Error);
        if (Error) CannotWrite(FileName, Error.value());
        Path = Target.is_absolute() ? Target : Path.parent_path() / Target;
    }
    CannotWrite(FileName, ELOOP);
}

// A fresh file beside Target, made with mode 0666 so that the umask decides its mode as it
// does for any new file. Its name is unique within the process by a counter and across
// processes by the process id.
int CreateBeside(const std::filesystem::path& Target, std::string& TempName) {
    static std::atomic<unsigned> Counter{0};
    int File = -1;
    do {
        TempName = Target.string() + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(Counter++);
        File = ::open(TempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (File < 0 && errno == EEXIST);
    return File;
}

// The picture goes to a new file that is renamed over Target once it is complete, so that
// a failure leaves Target as it was. An existing Target's mode carries over.
void ReplaceFile(const std::filesystem::path& Target, const struct stat* Existing, std::span<const std::uint8_t> Bytes,
                 const std::string& FileName) {
    std::string TempName;
    const int File = CreateBeside(Target, TempName);
    if (File < 0) CannotWrite(FileName, errno);
    try {
        if (Existing && ::fchmod(File, Existing->st_mode & 07777) != 0) {
            const int ErrorNumber = errno;
            ::close(File);
            CannotWrite(FileName, ErrorNumber);
        }
        WriteAndClose(File, Bytes, FileName, true);
        if (std::rename(TempName.c_str(), Target.c_str()) != 0) CannotWrite(FileName, errno);
    } catch (const EFileError&) {
        std::remove(TempName.c_str());
        throw;
    }
}

}  // namespace

std::vector<std::uint8_t> ReadPictureFileBytes(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary);
    if (!File) throw EFileError("Datei kann nicht geöffnet werden: " + FileName, FileName, errno);
    std::error_code Error;
    if (std::filesystem::is_directory(FileName, Error)) CannotRead(FileName, EISDIR);
    const std::uintmax_t Size = std::filesystem::file_size(FileName, Error);
    if (Error) CannotRead(FileName, Error.value());
    if (Size > MaxFileBytes)
        throw EInvalidGraphic("Datei ist zu groß: " + FileName, TReadFailure::TooLarge, {}, std::to_string(Size) + " bytes");
    std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(Size));
    File.read(reinterpret_cast<char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    if (File.gcount() != static_cast<std::streamsize>(Bytes.size())) CannotRead(FileName, errno ? errno : EIO);
    return Bytes;
}

void LoadPictureFromBytes(TPicture& Picture, std::span<const std::uint8_t> Bytes, const std::string& NameHint) {
    std::optional<TFileFormat> Format = FormatOfContent(Bytes);
    // Every format we read starts with a signature; only a bitmap file of zero length, a
    // bitmap without pixels, is known by its name alone.
    if (!Format && Bytes.empty() && FormatOfExtension(NameHint) == TFileFormat::Bmp) Format = TFileFormat::Bmp;
    if (!Format) throw EInvalidGraphic("Unbekanntes Bildformat: " + NameHint, TReadFailure::NotAPicture);
    try {
        Picture.SetGraphic(ReadGraphic(*Format, Bytes));
    } catch (const EInvalidGraphic& E) {
        if (!E.Format().empty()) throw;
        // The size limits are checked below the readers, where no format is known.
        throw EInvalidGraphic(E.Message(), E.Failure(), std::string(FormatInfo(*Format).Name), E.Detail());
    }
}

void LoadPictureFromFile(TPicture& Picture, const std::string& FileName) {
    LoadPictureFromBytes(Picture, ReadPictureFileBytes(FileName), FileName);
}

std::vector<std::uint8_t> EncodeBitmap(const TBitmap& Bitmap, TFileFormat Format, const TPngTextChunks& Text,
                                       const TSaveOptions& Options) {
    switch (Format) {
        case TFileFormat::Png: return WritePng(Bitmap, Text);
        case TFileFormat::Bmp: return WriteBmp(Bitmap);
        case TFileFormat::Pnm: return WritePpm(Bitmap);
        case TFileFormat::WebP: return WriteWebP(Bitmap);
        case TFileFormat::Jpeg: return WriteJpeg(Bitmap, Options.JpegQuality);
        case TFileFormat::Tiff:
        case TFileFormat::Gif: break;
    }
    const std::string Name(FormatInfo(Format).Name);
    throw ERefusal(Name + "-Dateien werden nicht geschrieben", TRefusal::FormatNotWritten, {.Subject = Name});
}

void SaveBitmapToFile(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text, const TSaveOptions& Options) {
    const std::optional<TFileFormat> Format = FormatOfExtension(FileName);
    if (!Format || !FormatInfo(*Format).Writes) throw ERefusal("Unbekanntes Dateiformat: " + FileName, TRefusal::UnknownFormatToWrite, {.Subject = FileName});
    const std::vector<std::uint8_t> Bytes = EncodeBitmap(Bitmap, *Format, Text, Options);
    const std::filesystem::path Target = FollowLinks(FileName);
    struct stat Existing {};
    const bool Exists = ::stat(Target.c_str(), &Existing) == 0;
    if (!Exists || S_ISREG(Existing.st_mode)) {
        ReplaceFile(Target, Exists ? &Existing : nullptr, Bytes, FileName);
        return;
    }
    // A device, a pipe or a folder: nothing to rename over, so it is written in place
    // (and a folder refuses).
    const int File = ::open(Target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (File < 0) CannotWrite(FileName, errno);
    WriteAndClose(File, Bytes, FileName);
}
