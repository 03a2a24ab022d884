#include "sheet/printer_resolution.h"

#include <QPrinter>

#include <cups/cups.h>

namespace sheet
{

int queueResolution(const QString &printerName)
{
    if (printerName.isEmpty())
        return 0;
    const QByteArray name = printerName.toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t *attr =
                cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            int y = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            const int x = ippGetResolution(attr, 0, &y, &units);
            // Dots per centimetre come out in whole dots per inch only when they convert so.
            dpi = units == IPP_RES_PER_INCH ? x : 0;
            if (units == IPP_RES_PER_CM && (x * 254) % 100 == 0)
                dpi = x * 254 / 100;
            if (y != x)
                dpi = 0;
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return dpi;
}

int sheetResolution(const QPrinter &printer)
{
    const int units = printer.resolution();
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return units;
    const int dots = queueResolution(printer.printerName());
    return dots > 0 && units % dots == 0 ? dots : units;
}

} // namespace sheet
