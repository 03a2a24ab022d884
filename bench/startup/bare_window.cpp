// The yardstick of the program's start-up: a bare Qt window with three buttons captioned in
// Japanese, in the program's font. With LINTARO_EXIT_AFTER_FIRST_PAINT set it quits right
// after its first paint, as the program does.

#include <QApplication>
#include <QFont>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace
{

class BareWindow : public QWidget
{
  protected:
    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (!painted_ && qEnvironmentVariableIsSet("LINTARO_EXIT_AFTER_FIRST_PAINT"))
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        painted_ = true;
    }

  private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    QFont::insertSubstitutions(gothic, {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                        QStringLiteral("Noto Sans CJK JP")});
    QFont font(gothic);
    font.setPointSizeF(9);
    QApplication::setFont(font);

    BareWindow window;
    window.setWindowTitle(QStringLiteral("線で絵を動かす"));
    const QString captions[] = {QStringLiteral("絵１　読み込み"), QStringLiteral("絵２　読み込み"),
                                QStringLiteral("合成")};
    int y = 10;
    for (const QString &caption : captions) {
        auto *button = new QPushButton(caption, &window);
        button->setGeometry(10, y, 120, 30);
        y += 40;
    }
    window.resize(400, 300);
    window.show();
    return app.exec();
}
