#include "sheet/printer_resolution.h"

#include <QLibrary>
#include <QPrinter>

#include <cups/cups.h>

namespace sheet
{

namespace
{

// The print system's library, loaded the first time a queue is asked about rather than
// linked: a link would load it, with the TLS, Kerberos and Avahi libraries it pulls in, at
// every start of the program, for milliseconds and megabytes the first window never uses.
struct CupsFunctions {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&cupsFindDestDefault) findDestDefault = nullptr;
    decltype(&ippGetResolution) getResolution = nullptr;
    decltype(&cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;

    bool complete() const
    {
        return getNamedDest && copyDestInfo && findDestDefault && getResolution && freeDestInfo &&
               freeDests;
    }
};

template <typename Function> void resolve(QLibrary &library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
}

// Empty when the library is not installed: the queue then counts as one the print system
// says nothing about.
const CupsFunctions &cups()
{
    static const CupsFunctions functions = [] {
        CupsFunctions f;
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return f;
        resolve(library, "cupsGetNamedDest", f.getNamedDest);
        resolve(library, "cupsCopyDestInfo", f.copyDestInfo);
        resolve(library, "cupsFindDestDefault", f.findDestDefault);
        resolve(library, "ippGetResolution", f.getResolution);
        resolve(library, "cupsFreeDestInfo", f.freeDestInfo);
        resolve(library, "cupsFreeDests", f.freeDests);
        return f;
    }();
    return functions;
}

} // namespace

int queueResolution(const QString &printerName)
{
    const CupsFunctions &cups = sheet::cups();
    if (printerName.isEmpty() || !cups.complete())
        return 0;
    const QByteArray name = printerName.toUtf8();
    cups_dest_t *dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t *info = cups.copyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t *attr =
                cups.findDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            int y = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            const int x = cups.getResolution(attr, 0, &y, &units);
            // Dots per centimetre come out in whole dots per inch only when they convert so.
            dpi = units == IPP_RES_PER_INCH ? x : 0;
            if (units == IPP_RES_PER_CM && (x * 254) % 100 == 0)
                dpi = x * 254 / 100;
            if (y != x)
                dpi = 0;
        }
        cups.freeDestInfo(info);
    }
    cups.freeDests(1, dest);
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
