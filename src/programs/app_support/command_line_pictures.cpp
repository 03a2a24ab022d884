#include "app_support/command_line_pictures.h"

#include "main_window/form1.h"

#include <QTimer>

#include <cstdio>

QStringList openCommandLinePictures(form1 &window, const QStringList &pictures)
{
    QStringList failed;
    for (int slot = 0; slot < 2 && slot < pictures.size(); ++slot) {
        if (!window.OpenPictureFile(slot, pictures[slot]))
            failed.append(pictures[slot]);
    }
    return failed;
}

void openCommandLinePicturesLater(form1 &window, const QStringList &pictures,
                                  const QStringList &ignored)
{
    for (const QString &path : ignored)
        std::fprintf(stderr, "lintaro: only two pictures are loaded; not loaded: %s\n",
                     path.toLocal8Bit().constData());
    if (pictures.isEmpty())
        return;
    QTimer::singleShot(0, &window, [&window, pictures] {
        for (const QString &path : openCommandLinePictures(window, pictures))
            std::fprintf(stderr, "lintaro: cannot load the picture %s\n",
                         path.toLocal8Bit().constData());
    });
}
