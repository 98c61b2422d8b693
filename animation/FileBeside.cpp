#include "FileBeside.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "Exception.h"

namespace {

// The file a name stands for, through any chain of symbolic links; a dangling link names
// the file to make.
std::string FollowLinks(const std::string& Name) {
    constexpr int MaxLinks = 40;
    std::filesystem::path Path = Name;
    for (int Link = 0; Link < MaxLinks; ++Link) {
        std::error_code Error;
        if (!std::filesystem::is_symlink(Path, Error)) return Path.string();
        const std::filesystem::path Target = std::filesystem::read_symlink(Path, Error);
        if (Error) return Path.string();
        Path = Target.is_absolute() ? Target : Path.parent_path() / Target;
    }
    return Path.string();
}

}  // namespace

TFileBeside::TFileBeside(const std::string& Target) : FTarget(Target) {
    static std::atomic<unsigned> Counter{0};
    const std::string Followed = FollowLinks(Target);
    int File = -1;
    do {
        FTemporaryName = Followed + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(Counter++);
        File = ::open(FTemporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (File < 0 && errno == EEXIST);
    if (File < 0) {
        FCommitted = true;  // nothing to remove
        Failed(errno);
    }
    ::close(File);
}

TFileBeside::~TFileBeside() {
    if (!FCommitted) std::remove(FTemporaryName.c_str());
}

void TFileBeside::Commit() {
    if (std::rename(FTemporaryName.c_str(), FollowLinks(FTarget).c_str()) != 0) Failed(errno);
    FCommitted = true;
}

void TFileBeside::Failed(int ErrorNumber) const {
    throw EFileError("Datei kann nicht geschrieben werden: " + FTarget, FTarget, ErrorNumber ? ErrorNumber : EIO);
}
