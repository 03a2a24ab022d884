#pragma once

#include <QSize>
#include <QString>

// The application as a whole: where it was started from, the screen, ending it.
class AppServices {
public:
    virtual ~AppServices() = default;
    // The folder the program was started from, as the system reports it.
    virtual QString programFolder() const = 0;
    // The screen size in twips (1/1440 inch, 15 twips per pixel).
    virtual QSize screenSizeTwips() const = 0;
    virtual void endProgram() = 0;
};

// The program folder with exactly one path separator at its end.
QString withTrailingSeparator(const QString &folder);

class QtAppServices : public AppServices {
public:
    QString programFolder() const override;
    QSize screenSizeTwips() const override;
    void endProgram() override;
};

// The test double: a fixed folder and screen; records the end of the program.
class FakeAppServices : public AppServices {
public:
    QString folder = QStringLiteral("/opt/lintaro");
    QSize screenTwips{1280 * 15, 1024 * 15};
    bool ended = false;

    QString programFolder() const override { return folder; }
    QSize screenSizeTwips() const override { return screenTwips; }
    void endProgram() override { ended = true; }
};
