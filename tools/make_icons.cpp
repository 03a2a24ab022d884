// Writes the program's striped icon as PNG files for the hicolor icon theme, drawn by the
// same rule as the window icon: make_icons <folder> <size>...
#include "ui/controls.h"

#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons <folder> <size>...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !folder.mkpath(sub))
            return 1;
        const QString path = folder.filePath(sub + QStringLiteral("/io.github.lintaro.Lintaro.png"));
        if (!stripedIconImage(size).save(path, "PNG"))
            return 1;
    }
    return 0;
}
