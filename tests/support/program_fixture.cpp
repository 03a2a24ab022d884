#include "support/program_fixture.h"

#include "state/module3.h"

ProgramFixture::ProgramFixture()
{
    app.folder = temp.path();
    platform = std::make_unique<Platform>(Platform{dialogs, printer, app,
                                                   [this] {
                                                       auto timer = std::make_unique<ManualTimer>();
                                                       clock_ = timer.get();
                                                       return timer;
                                                   },
                                                   messages});
    window_ = std::make_unique<form1>(state, *platform);
}

ProgramFixture::~ProgramFixture() = default;

QString ProgramFixture::writePicture(const QImage &picture, const QString &name, const char *format)
{
    const QString path = temp.filePath(name);
    EXPECT_TRUE(picture.save(path, format)) << name.toStdString();
    return path;
}

void ProgramFixture::setLineWidth(int w)
{
    vars().lineWidth = vars().latticeGap = vars().latticeBar = w;
    Module3::DrawLatticeSheet(state);
}
