#pragma once

#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"

#include <QString>

// Everything a sheet says, in the language of the sheet: Japanese in the window, the
// locale's in lintaro-cli.
namespace sheet
{

// The line of figures on both pages: frames, the real and the chosen slit, the period and
// the resolution.
QString figuresLine(const SheetGeometry &g);
// The same for a disc: frames, periods, the slit angle, the diameter and the resolution.
QString discFiguresLine(Language language, int frameCount, int periods, double slitDegrees,
                        double diameterMm, int dpi);
// The same for a lamp: frames, periods, the slit, the inner cylinder as the strip really
// wraps it (to 0.1 mm) and as asked, the outer cylinder and the resolution.
QString lampFiguresLine(Language language, int frameCount, int periods, double slitMm,
                        double innerMm, double askedInnerMm, double outerMm, int dpi);
// What the glue tab of a lamp's strip says.
QString glueTabLabel(Language language);
// What each page is: "1/2 絵", "2/2 格子（透明シート用）".
QString pageName(int page, Language language);
// The one line on every page that says not to scale it.
QString printAtFullSizeLine(Language language);
// The documents' titles, as their metadata names them.
QString sheetTitle(Language language);
QString calibrationTitle(Language language);
QString latticeTitle(Language language);
// The calibration page's heading, and what its two kinds of patches are for.
QString calibrationHeading(int dpi, Language language);
QString calibrationHint(Language language);
QString resolutionHint(Language language);

} // namespace sheet
