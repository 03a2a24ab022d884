#include "sheet/sheet_texts.h"

namespace sheet
{

namespace
{

QString choose(Language language, const QString &japanese, const QString &english)
{
    return language == Language::Japanese ? japanese : english;
}

} // namespace

QString figuresLine(const SheetGeometry &g)
{
    return choose(g.language,
                  QStringLiteral("N = %1　スリット %2 mm（指定 %3 mm）　周期 %4 mm　%5 dpi"),
                  QStringLiteral("N = %1   slit %2 mm (asked %3 mm)   period %4 mm   %5 dpi"))
        .arg(g.frameCount)
        .arg(mmText(g.slitMm()), mmText(g.requestedSlitMm), mmText(g.periodMm()))
        .arg(g.dpi);
}

QString discFiguresLine(Language language, int frameCount, int periods, double slitDegrees,
                        double diameterMm, int dpi)
{
    return choose(language,
                  QStringLiteral("円盤　N = %1　周期 %2　スリット %3°　直径 %4 mm　%5 dpi"),
                  QStringLiteral("disc   N = %1   %2 periods   slit %3°   diameter %4 mm   %5 dpi"))
        .arg(frameCount)
        .arg(periods)
        .arg(QString::number(slitDegrees, 'f', 3), mmText(diameterMm))
        .arg(dpi);
}

QString lampFiguresLine(Language language, int frameCount, int periods, double slitMm,
                        double innerMm, double askedInnerMm, double outerMm, int dpi)
{
    return choose(language,
                  QStringLiteral("ランプ　N = %1　周期 %2　スリット %3 mm　内筒の直径 %4 mm"
                                 "（指定 %5 mm）　外筒の直径 %6 mm　%7 dpi"),
                  QStringLiteral("lamp   N = %1   %2 periods   slit %3 mm   inner diameter %4 mm "
                                 "(asked %5 mm)   outer diameter %6 mm   %7 dpi"))
        .arg(frameCount)
        .arg(periods)
        .arg(mmText(slitMm), QString::number(innerMm, 'f', 1), QString::number(askedInnerMm),
             QString::number(outerMm))
        .arg(dpi);
}

QString glueTabLabel(Language language)
{
    return choose(language, QStringLiteral("のりしろ"), QStringLiteral("glue"));
}

QString pageName(int page, Language language)
{
    return page == 1 ? choose(language, QStringLiteral("1/2 絵"), QStringLiteral("1/2 picture"))
                     : choose(language, QStringLiteral("2/2 格子（透明シート用）"),
                              QStringLiteral("2/2 lattice (for transparency film)"));
}

QString printAtFullSizeLine(Language language)
{
    return choose(language,
                  QStringLiteral("実際のサイズ（100 %）で印刷し、目盛りが 100 mm あることを"
                                 "確かめてください"),
                  QStringLiteral("Print at 100 % (actual size); the bar must measure 100 mm"));
}

QString sheetTitle(Language language)
{
    return choose(language, QStringLiteral("Lintaro 印刷用シート"),
                  QStringLiteral("Lintaro print sheet"));
}

QString calibrationTitle(Language language)
{
    return choose(language, QStringLiteral("Lintaro 調整用シート"),
                  QStringLiteral("Lintaro calibration sheet"));
}

QString latticeTitle(Language language)
{
    return choose(language, QStringLiteral("Lintaro 格子"), QStringLiteral("Lintaro lattice"));
}

QString calibrationHeading(int dpi, Language language)
{
    return choose(language, QStringLiteral("調整用シート　%1 dpi"),
                  QStringLiteral("Calibration sheet   %1 dpi"))
        .arg(dpi);
}

QString calibrationHint(Language language)
{
    return choose(language,
                  QStringLiteral("白いすき間と黒い線が同じ幅の格子です。印刷と透明シートで"
                                 "はっきり出るスリットの幅を選んでください。"),
                  QStringLiteral("Lattices of white gaps and black bars of one width: choose "
                                 "the slit that prints clean on paper and film."));
}

QString resolutionHint(Language language)
{
    return choose(language,
                  QStringLiteral("プリンタの解像度：1 ドットと 2 ドットの線がむらなく、くっきり"
                                 "出る解像度が、そのプリンタの本当の解像度です。"),
                  QStringLiteral("Printer resolution: the grid whose 1-dot and 2-dot lines "
                                 "print crisp, without beating, is the printer's own."));
}

} // namespace sheet
