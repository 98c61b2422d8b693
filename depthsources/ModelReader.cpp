// Reading models: what can be checked before anything is allocated is checked here; assimp
// then reads in a child process, so that a file that crashes or hangs assimp, or makes it
// allocate without bound, is refused like any other damaged file.
#include "ModelReader.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <sys/stat.h>

#include "AssimpImport.h"
#include "ChildProcess.h"
#include "FileDescriptor.h"
#include "ModelFormats.h"
#include "ModelRefusal.h"

namespace {

// The reader's time: enough for the largest files on a slow machine.
constexpr std::chrono::seconds BaseReadTime{10};
constexpr std::uint64_t BytesPerExtraSecond = 8 * 1024 * 1024;
// Memory the reader may add: assimp's copy of the largest mesh with room to spare.
constexpr std::uint64_t ReaderMemory = std::uint64_t(4) * 1024 * 1024 * 1024;

// The format by content, else by extension (the user's word for it, upper case).
TModelFormat FormatOf(std::span<const std::uint8_t> Bytes, const std::string& Name) {
    if (auto Format = ModelFormatBySignature(Bytes)) return *Format;
    const std::string Extension = PlainExtension(Name);
    std::string Upper = Extension;
    for (char& C : Upper) C = char(std::toupper(static_cast<unsigned char>(C)));
    return {IsAssimpExtension(Extension) ? Upper : std::string(), Extension};
}

// --- the child's answer ------------------------------------------------------------------
// 'M', the vertex and triangle counts, the vertices, the triangles; or 'E', the reason,
// then the message, the format and the detail of the refusal.

constexpr std::uint8_t MeshAnswer = 'M', RefusalAnswer = 'E';
using TTriangle = std::array<std::uint32_t, 3>;
constexpr std::size_t MaxAnswerBytes = MaxModelVertices * sizeof(TVertex) + MaxModelTriangles * sizeof(TTriangle) + 64;

template <typename T>
void Put(std::vector<std::uint8_t>& Answer, const T* Items, std::size_t Count) {
    const auto* First = reinterpret_cast<const std::uint8_t*>(Items);
    Answer.insert(Answer.end(), First, First + Count * sizeof(T));
}

void PutText(std::vector<std::uint8_t>& Answer, const std::string& Text) {
    const auto Length = std::uint32_t(Text.size());
    Put(Answer, &Length, 1);
    Put(Answer, Text.data(), Text.size());
}

std::vector<std::uint8_t> Encode(const TMesh& Mesh) {
    const std::uint64_t Counts[2] = {Mesh.Vertices.size(), Mesh.Triangles.size()};
    std::vector<std::uint8_t> Answer;
    Answer.reserve(1 + sizeof Counts + Mesh.Vertices.size() * sizeof(TVertex) + Mesh.Triangles.size() * sizeof(TTriangle));
    Answer.push_back(MeshAnswer);
    Put(Answer, Counts, 2);
    Put(Answer, Mesh.Vertices.data(), Mesh.Vertices.size());
    Put(Answer, Mesh.Triangles.data(), Mesh.Triangles.size());
    return Answer;
}

std::vector<std::uint8_t> Encode(const EInvalidGraphic& Refusal) {
    std::vector<std::uint8_t> Answer{RefusalAnswer, std::uint8_t(Refusal.Failure())};
    PutText(Answer, Refusal.Message());
    PutText(Answer, Refusal.Format());
    PutText(Answer, Refusal.Detail());
    return Answer;
}

// Reads the answer back; an answer that is not complete counts as a broken reader.
class TAnswerReader {
public:
    explicit TAnswerReader(const std::vector<std::uint8_t>& Answer) : FAnswer(Answer) {}

    template <typename T>
    bool Get(T* Items, std::uint64_t Count) {
        if (Count > (FAnswer.size() - FAt) / sizeof(T)) return false;
        std::memcpy(static_cast<void*>(Items), FAnswer.data() + FAt, std::size_t(Count) * sizeof(T));
        FAt += std::size_t(Count) * sizeof(T);
        return true;
    }
    bool GetText(std::string& Text) {
        std::uint32_t Length = 0;
        if (!Get(&Length, 1) || Length > FAnswer.size() - FAt) return false;
        Text.resize(Length);
        return Get(Text.data(), Length);
    }
    bool AtEnd() const { return FAt == FAnswer.size(); }

private:
    const std::vector<std::uint8_t>& FAnswer;
    std::size_t FAt = 0;
};

TMesh Decode(const std::vector<std::uint8_t>& Answer, const std::string& Name, const std::string& Format) {
    TAnswerReader Reader(Answer);
    std::uint8_t Kind = 0;
    if (Reader.Get(&Kind, 1) && Kind == RefusalAnswer) {
        std::uint8_t Failure = 0;
        std::string Message, RefusedFormat, Detail;
        if (Reader.Get(&Failure, 1) && Failure <= std::uint8_t(TReadFailure::TooLarge) && Reader.GetText(Message) && Reader.GetText(RefusedFormat) &&
            Reader.GetText(Detail) && Reader.AtEnd())
            throw EInvalidGraphic(Message, TReadFailure(Failure), RefusedFormat, Detail);
    }
    std::uint64_t Counts[2] = {0, 0};
    TMesh Mesh;
    if (Kind == MeshAnswer && Reader.Get(Counts, 2) && Counts[0] <= MaxModelVertices && Counts[1] <= MaxModelTriangles) {
        Mesh.Vertices.resize(std::size_t(Counts[0]));
        Mesh.Triangles.resize(std::size_t(Counts[1]));
        if (Reader.Get(Mesh.Vertices.data(), Counts[0]) && Reader.Get(Mesh.Triangles.data(), Counts[1]) && Reader.AtEnd()) return Mesh;
    }
    RefuseModel(TReadFailure::Damaged, Name, Format, "the reader's answer is incomplete");
}

// What the child does: read, and answer with the mesh or the refusal.
std::vector<std::uint8_t> ReadAndAnswer(std::span<const std::uint8_t> Bytes, const std::string& Name, const TModelFormat& Format, const std::string& Folder) {
    try {
        return Encode(ImportWithAssimp(Bytes, Name, Format, Folder));
    } catch (const EInvalidGraphic& Refusal) {
        return Encode(Refusal);
    } catch (const std::bad_alloc&) {
        return Encode(EInvalidGraphic("Modell ist zu groß: " + Name, TReadFailure::TooLarge, Format.Name, "out of memory while reading"));
    }
}

// The whole file, read in pieces so that a pipe or a device given as a file name is read
// only up to the size limit.
std::vector<std::uint8_t> ReadWholeFile(const std::string& FileName) {
    const TFileDescriptor File(::open(FileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (File.Get() < 0) throw EFileError("Datei kann nicht geöffnet werden: " + FileName, FileName, errno);
    struct stat Status {};
    if (::fstat(File.Get(), &Status) != 0) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, errno);
    if (S_ISDIR(Status.st_mode)) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, EISDIR);
    const auto TooLarge = [&] { RefuseModel(TReadFailure::TooLarge, FileName, {}, "larger than " + std::to_string(MaxModelFileBytes) + " bytes"); };
    const bool Regular = S_ISREG(Status.st_mode);
    if (Regular && std::uint64_t(Status.st_size) > MaxModelFileBytes) TooLarge();

    std::vector<std::uint8_t> Bytes, Piece(std::size_t(1) << 16);
    Bytes.reserve(Regular ? std::size_t(Status.st_size) : 0);
    for (;;) {
        const ssize_t Got = ::read(File.Get(), Piece.data(), Piece.size());
        if (Got < 0 && errno == EINTR) continue;
        if (Got < 0) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, errno);
        if (Got == 0) return Bytes;
        if (Bytes.size() + std::size_t(Got) > MaxModelFileBytes) TooLarge();
        Bytes.insert(Bytes.end(), Piece.begin(), Piece.begin() + Got);
    }
}

}  // namespace

std::vector<std::string> ModelExtensions() { return AssimpExtensions(); }

bool LooksLikeModel(std::span<const std::uint8_t> Bytes, const std::string& Name) {
    return ModelFormatBySignature(Bytes).has_value() || IsAssimpExtension(PlainExtension(Name));
}

std::chrono::milliseconds ModelReadTime(std::size_t Size) { return BaseReadTime + std::chrono::seconds(Size / BytesPerExtraSecond); }

TMesh ReadModel(std::span<const std::uint8_t> Bytes, const std::string& Name, const std::string& Folder, std::optional<std::chrono::milliseconds> TimeLimit) {
    const TModelFormat Format = FormatOf(Bytes, Name);
    if (Bytes.empty()) RefuseModel(TReadFailure::NotAPicture, Name, Format.Name, "the file is empty");
    if (Bytes.size() > MaxModelFileBytes) RefuseModel(TReadFailure::TooLarge, Name, Format.Name, "larger than " + std::to_string(MaxModelFileBytes) + " bytes");
    const TClaimedCounts Claimed = ClaimedCounts(Bytes, Format.Name);
    if (Claimed.Triangles > MaxModelTriangles || Claimed.Vertices > MaxModelVertices)
        RefuseModel(TReadFailure::TooLarge, Name, Format.Name,
                    "the header claims " + std::to_string(Claimed.Triangles) + " triangles and " + std::to_string(Claimed.Vertices) + " vertices");

    const TChildLimits Limits{TimeLimit.value_or(ModelReadTime(Bytes.size())), ReaderMemory, MaxAnswerBytes};
    const TChildOutcome Outcome = RunInChildProcess([&] { return ReadAndAnswer(Bytes, Name, Format, Folder); }, Limits);
    if (Outcome.End != TChildEnd::Finished) RefuseModel(TReadFailure::Damaged, Name, Format.Name, Outcome.Detail);
    return Decode(Outcome.Output, Name, Format.Name);
}

TMesh ReadModelFile(const std::string& FileName) {
    const std::vector<std::uint8_t> Bytes = ReadWholeFile(FileName);
    const std::string Folder = std::filesystem::path(FileName).parent_path().string();
    return ReadModel(Bytes, FileName, Folder.empty() ? "." : Folder);
}
