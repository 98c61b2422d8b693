// icongen DIR: writes DIR/load.png and DIR/stereogramm.png (the window's own pictures) and
// the icon theme's sizes, DIR/hicolor/<N>x<N>/stereogramm.png and DIR/hicolor/scalable/stereogramm.svg.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "Pictures.h"

namespace {

constexpr int ThemeSizes[] = {16, 32, 48, 64, 128, 256};

bool WriteText(const QString& Path, const QString& Text) {
    QFile File(Path);
    return File.open(QIODevice::WriteOnly | QIODevice::Truncate) && File.write(Text.toUtf8()) >= 0;
}

bool DrawAll(const QString& Dir) {
    bool Saved = DrawLoadGlyph().save(Dir + "/load.png") && DrawStarIcon().save(Dir + "/stereogramm.png");
    for (const int Size : ThemeSizes) {
        const QString Folder = QString("%1/hicolor/%2x%2").arg(Dir).arg(Size);
        Saved = Saved && QDir().mkpath(Folder) && DrawThemeIcon(Size).save(Folder + "/stereogramm.png");
    }
    const QString Scalable = Dir + "/hicolor/scalable";
    return Saved && QDir().mkpath(Scalable) && WriteText(Scalable + "/stereogramm.svg", DrawScalableIcon());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen DIR\n");
        return 2;
    }
    if (!DrawAll(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "icongen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
