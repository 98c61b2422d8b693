// icongen DIR: writes DIR/load.png and DIR/stereogramm.png.
#include <QGuiApplication>
#include <cstdio>

#include "Pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen DIR\n");
        return 2;
    }
    const QString Dir = QString::fromLocal8Bit(argv[1]);
    const bool Saved = DrawLoadGlyph().save(Dir + "/load.png") && DrawStarIcon().save(Dir + "/stereogramm.png");
    if (!Saved) {
        std::fprintf(stderr, "icongen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
