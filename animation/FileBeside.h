// A new file that appears under its name only once it is complete: it is written under a
// temporary name in the same folder and renamed at the end; until then, or when it is
// given up, the temporary file is removed again.
#pragma once

#include <string>

class TFileBeside {
public:
    // Makes the temporary file beside Target (a symbolic link is followed, so that it stays a
    // link). Raises EFileError when the folder does not take it.
    explicit TFileBeside(const std::string& Target);
    ~TFileBeside();
    TFileBeside(const TFileBeside&) = delete;
    TFileBeside& operator=(const TFileBeside&) = delete;

    // Where to write until Commit.
    const std::string& TemporaryName() const { return FTemporaryName; }
    // Moves the finished file over Target. Raises EFileError when that fails.
    void Commit();
    // A write to the file failed: raises EFileError naming Target and the system's reason.
    [[noreturn]] void Failed(int ErrorNumber) const;

private:
    std::string FTarget;
    std::string FTemporaryName;
    bool FCommitted = false;
};
