// A POSIX file descriptor closed with its owner.
#pragma once

#include <unistd.h>

class TFileDescriptor {
public:
    explicit TFileDescriptor(int Descriptor = -1) : FDescriptor(Descriptor) {}
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { Close(); }

    int Get() const { return FDescriptor; }
    void Close() {
        if (FDescriptor >= 0) ::close(FDescriptor);
        FDescriptor = -1;
    }

private:
    int FDescriptor;
};
