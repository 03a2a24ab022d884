#include "sheet/sheet_command.h"

#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/picture_file.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_picture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

#include <optional>

namespace sheet
{

const char *const kSheetUsage =
    "usage: lintaro-cli sheet [options] FRAME1 FRAME2 [FRAME3 ... FRAME8]\n"
    "       lintaro-cli sheet --calibration [--paper P] [--landscape] [--dpi N] -o FILE.pdf\n"
    "  -o, --output FILE.pdf  the sheet: page 1 the picture, page 2 the lattice; required\n"
    "      --paper a4|b5|letter  paper (default a4; b5 is JIS B5, 182 x 257 mm)\n"
    "      --landscape        the paper turned sideways\n"
    "      --slit-mm MM       slit width, 0.2..3.0 mm (default 1.0), made whole printer dots\n"
    "      --dpi N            printer resolution: 300, 600 or 1200 (default 600)\n"
    "      --width-mm MM      picture width on paper (default: the largest that fits)\n"
    "  -s, --size WxH         canvas proportions, 16..10000 each (default 640x480)\n"
    "      --svg FILE.svg     the lattice alone as SVG in millimetres\n"
    "      --kerf-mm MM       narrow every cut slit of the SVG by the cutter's kerf\n"
    "      --calibration      the calibration page instead of a sheet: slits 0.3..3.0 mm\n"
    "  -q, --quiet            no progress\n";

namespace
{

constexpr int kWritten = 0;
constexpr int kFileFailed = 1;
constexpr int kUsage = 2;

struct UsageError {
    std::string reason;
};

struct Options {
    SheetChoices choices;
    QSize canvas{640, 480};
    QString output;
    std::optional<QString> svg;
    std::optional<double> kerfMm;
    bool calibration = false;
    bool quiet = false;
    QStringList frames;
};

double numberOf(const QString &option, const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw UsageError{option.toStdString() + ": not a number: " + text.toStdString()};
    return value;
}

Options parse(const QStringList &arguments)
{
    Options o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= arguments.size())
                throw UsageError{arg.toStdString() + " needs a value"};
            return arguments[++i];
        };
        if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            o.output = value();
        } else if (arg == QLatin1String("--paper")) {
            const QString paper = value().toLower();
            if (paper == QLatin1String("a4"))
                o.choices.paper = Paper::A4;
            else if (paper == QLatin1String("b5"))
                o.choices.paper = Paper::JisB5;
            else if (paper == QLatin1String("letter"))
                o.choices.paper = Paper::Letter;
            else
                throw UsageError{"--paper: a4, b5 or letter, not " + paper.toStdString()};
        } else if (arg == QLatin1String("--landscape")) {
            o.choices.landscape = true;
        } else if (arg == QLatin1String("--slit-mm")) {
            o.choices.slitMm = numberOf(arg, value());
            if (o.choices.slitMm < kMinSlitMm || o.choices.slitMm > kMaxSlitMm)
                throw UsageError{"--slit-mm: the slit must be 0.2 to 3.0 mm"};
        } else if (arg == QLatin1String("--dpi")) {
            const QString text = value();
            bool ok = false;
            o.choices.dpi = text.toInt(&ok);
            if (!ok || std::find(std::begin(kDpiChoices), std::end(kDpiChoices), o.choices.dpi) ==
                           std::end(kDpiChoices))
                throw UsageError{"--dpi: 300, 600 or 1200, not " + text.toStdString()};
        } else if (arg == QLatin1String("--width-mm")) {
            o.choices.widthMm = numberOf(arg, value());
        } else if (arg == QLatin1String("-s") || arg == QLatin1String("--size")) {
            static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,5})x(\d{1,5})$)"));
            const QString text = value();
            const auto match = pattern.match(text);
            const int w = match.hasMatch() ? match.captured(1).toInt() : 0;
            const int h = match.hasMatch() ? match.captured(2).toInt() : 0;
            if (w < frames::kMinCanvasSide || w > frames::kMaxCanvasSide ||
                h < frames::kMinCanvasSide || h > frames::kMaxCanvasSide)
                throw UsageError{"--size: WxH with each side 16..10000, not " + text.toStdString()};
            o.canvas = QSize(w, h);
        } else if (arg == QLatin1String("--svg")) {
            o.svg = value();
        } else if (arg == QLatin1String("--kerf-mm")) {
            o.kerfMm = numberOf(arg, value());
        } else if (arg == QLatin1String("--calibration")) {
            o.calibration = true;
        } else if (arg == QLatin1String("-q") || arg == QLatin1String("--quiet")) {
            o.quiet = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            throw UsageError{"unknown option " + arg.toStdString()};
        } else {
            o.frames << arg;
        }
    }

    if (o.output.isEmpty())
        throw UsageError{"no output: give -o FILE.pdf"};
    if (!o.output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        throw UsageError{"the output must be a .pdf file: " + o.output.toStdString()};
    if (o.svg && !o.svg->endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        throw UsageError{"--svg: the lattice must be an .svg file: " + o.svg->toStdString()};
    if (o.kerfMm && !o.svg)
        throw UsageError{"--kerf-mm applies to the --svg lattice only"};
    if (o.calibration) {
        if (!o.frames.isEmpty() || o.svg)
            throw UsageError{"--calibration takes no frames and no --svg"};
        return o;
    }
    if (o.frames.size() < frames::kMinFrames || o.frames.size() > frames::kMaxFrames)
        throw UsageError{"a sheet needs 2 to 8 frames, not " + std::to_string(o.frames.size())};
    return o;
}

// Why a picture file could not be read, in the system's words where there are any.
QString unreadableReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("No such file or directory");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    QImageReader reader(path);
    QImage ignored;
    if (reader.read(&ignored))
        return QStringLiteral("too large to hold");
    return reader.errorString();
}

class Progress
{
  public:
    Progress(std::ostream &err, bool quiet) : err_(err), quiet_(quiet) { clock_.start(); }
    // Progress shows once the work has taken more than about half a second, from then on.
    void step(const QString &what)
    {
        pending_ << what;
        if (quiet_ || clock_.elapsed() < 500)
            return;
        for (const QString &line : pending_)
            err_ << "lintaro-cli sheet: " << line.toStdString() << '\n';
        pending_.clear();
    }

  private:
    std::ostream &err_;
    bool quiet_;
    QElapsedTimer clock_;
    QStringList pending_;
};

std::string written(const QStringList &files)
{
    return files.isEmpty() ? "nothing was written"
                           : "written: " + files.join(QStringLiteral(", ")).toStdString();
}

} // namespace

int runSheetCommand(const QStringList &arguments, std::ostream &err)
{
    Options o;
    try {
        o = parse(arguments);
    } catch (const UsageError &e) {
        err << "lintaro-cli sheet: " << e.reason << '\n' << kSheetUsage;
        return kUsage;
    }

    Progress progress(err, o.quiet);
    QStringList done;
    try {
        if (o.calibration) {
            progress.step(QStringLiteral("writing %1").arg(o.output));
            writeCalibrationPdf(o.output, o.choices);
            return kWritten;
        }
        const SheetGeometry g = layOutSheet(o.choices, int(o.frames.size()), o.canvas);
        if (o.svg && o.kerfMm && (*o.kerfMm < 0 || *o.kerfMm >= g.slitMm()))
            throw SheetRefused("--kerf-mm: the kerf must be at least 0 and narrower than the "
                               "slit, " +
                                   mmText(g.slitMm()).toStdString() + " mm",
                               QString());
        std::vector<FramePicture> pictures;
        for (const QString &path : o.frames) {
            progress.step(QStringLiteral("loading %1").arg(path));
            if (!QFileInfo(path).isFile()) {
                err << "lintaro-cli sheet: cannot read " << path.toStdString() << ": "
                    << unreadableReason(path).toStdString() << "\n"
                    << written(done) << '\n';
                return kFileFailed;
            }
            try {
                const DecodedPicture decoded = loadPictureFor(path, g.canvasDots);
                pictures.push_back({decoded.picture, decoded.naturalSize});
            } catch (const CommandError &) {
                err << "lintaro-cli sheet: cannot read " << path.toStdString() << ": "
                    << unreadableReason(path).toStdString() << "\n"
                    << written(done) << '\n';
                return kFileFailed;
            }
        }
        progress.step(QStringLiteral("composing %1 x %2 dots")
                          .arg(g.canvasDots.width())
                          .arg(g.canvasDots.height()));
        const QImage composed = composeSheetPicture(pictures, g);
        pictures.clear();
        progress.step(QStringLiteral("writing %1").arg(o.output));
        writeSheetPdf(o.output, g, composed);
        done << o.output;
        if (o.svg) {
            progress.step(QStringLiteral("writing %1").arg(*o.svg));
            writeLatticeSvg(*o.svg, g, o.kerfMm.value_or(0));
            done << *o.svg;
        }
        return kWritten;
    } catch (const SheetRefused &e) {
        err << "lintaro-cli sheet: " << e.what() << '\n' << kSheetUsage;
        return kUsage;
    } catch (const FileNotWritten &e) {
        err << "lintaro-cli sheet: cannot write " << e.path() << ": " << e.reason() << '\n'
            << written(done) << '\n';
        return kFileFailed;
    } catch (const std::bad_alloc &) {
        err << "lintaro-cli sheet: not enough memory for a canvas of this size\n"
            << written(done) << '\n';
        return kFileFailed;
    }
}

} // namespace sheet
