// Reads one picture file as the front ends do and prints its size, or why it could not be
// read. scripts/measure-peak-memory.sh runs it to see what a reader allocates.
#include <iostream>

#include "Exception.h"
#include "PictureReader.h"

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::cerr << "usage: read-picture-probe FILE\n";
        return 2;
    }
    try {
        const TPictureRead Read = ReadPicture(Argv[1]);
        std::cout << Read.Picture.Width() << " x " << Read.Picture.Height() << "\n";
    } catch (const Exception& E) {
        std::cout << E.Message() << "\n";
    }
    return 0;
}
