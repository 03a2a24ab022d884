#include "sheet/pdf_update.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

#include <map>
#include <optional>
#include <vector>

namespace sheet
{

namespace
{

// More than any dictionary or cross-reference table of a sheet: a file that needs more is
// not one of ours.
constexpr qint64 kLargestPart = 4 << 20;

QByteArray readAt(QFile &file, qint64 offset, qint64 length)
{
    if (offset < 0 || !file.seek(offset))
        return {};
    return file.read(std::min(length, file.size() - offset));
}

std::optional<qint64> firstNumber(const QByteArray &text, const char *pattern)
{
    const QRegularExpression re(QString::fromLatin1(pattern));
    const auto match = re.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

// The classic cross-reference table QPdfWriter writes: object number to file offset.
std::optional<std::map<int, qint64>> readXref(const QByteArray &table)
{
    if (!table.startsWith("xref"))
        return std::nullopt;
    std::map<int, qint64> offsets;
    const QList<QByteArray> lines = table.split('\n');
    for (qsizetype i = 1; i < lines.size();) {
        const QList<QByteArray> head = lines[i].simplified().split(' ');
        if (head.size() != 2)
            break; // "trailer"
        const int first = head[0].toInt();
        const int count = head[1].toInt();
        for (int k = 0; k < count; ++k) {
            const QList<QByteArray> entry = lines.value(i + 1 + k).simplified().split(' ');
            if (entry.size() != 3)
                return std::nullopt;
            if (entry[2] == "n")
                offsets[first + k] = entry[0].toLongLong();
        }
        i += 1 + count;
    }
    return offsets;
}

// The dictionary of object `number`, from "<<" to its last ">>".
QByteArray readDictionary(QFile &file, const std::map<int, qint64> &offsets, int number)
{
    const auto at = offsets.find(number);
    if (at == offsets.end())
        return {};
    const QByteArray text = readAt(file, at->second, 64 << 10);
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    const qsizetype end = text.indexOf("endobj");
    const qsizetype open = text.indexOf("<<");
    const qsizetype close = text.lastIndexOf(">>", end);
    if (!text.startsWith(head) || end < 0 || open < 0 || close < open)
        return {};
    return text.mid(open, close + 2 - open);
}

QByteArray real(double value)
{
    return QByteArray::number(value, 'f', 4);
}

} // namespace

bool amendPdf(QFile &pdf, QSizeF pagePoints)
{
    const qint64 size = pdf.size();
    const QByteArray tail = readAt(pdf, std::max<qint64>(0, size - 1024), 1024);
    const std::optional<qint64> xrefAt =
        firstNumber(tail.mid(tail.lastIndexOf("startxref")), R"(^startxref\s+(\d+))");
    if (!xrefAt || *xrefAt >= size || size - *xrefAt > kLargestPart)
        return false;
    const QByteArray table = readAt(pdf, *xrefAt, size - *xrefAt);
    const auto offsets = readXref(table);
    const qsizetype trailerAt = table.indexOf("trailer");
    if (!offsets || trailerAt < 0)
        return false;
    const QByteArray trailer = table.mid(trailerAt, table.indexOf("startxref") - trailerAt);
    const auto root = firstNumber(trailer, R"(/Root (\d+) 0 R)");
    const auto count = firstNumber(trailer, R"(/Size (\d+))");
    if (!root || !count)
        return false;

    // The catalog, with the preference added, and every page with its exact box.
    std::map<int, QByteArray> amended;
    QByteArray catalog = readDictionary(pdf, *offsets, int(*root));
    const auto pagesRoot = firstNumber(catalog, R"(/Pages (\d+) 0 R)");
    if (!catalog.contains("/Type /Catalog") || catalog.contains("/ViewerPreferences") || !pagesRoot)
        return false;
    catalog.insert(catalog.size() - 2, "/ViewerPreferences << /PrintScaling /None >>\n");
    amended[int(*root)] = catalog;

    const QByteArray pages = readDictionary(pdf, *offsets, int(*pagesRoot));
    static const QRegularExpression kids(QStringLiteral(R"(/Kids\s*\[([\d\sR]*)\])"));
    static const QRegularExpression reference(QStringLiteral(R"((\d+) 0 R)"));
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)\s*\])"));
    const auto kidList = kids.match(QString::fromLatin1(pages));
    if (!kidList.hasMatch())
        return false;
    for (auto it = reference.globalMatch(kidList.captured(1)); it.hasNext();) {
        const int number = it.next().captured(1).toInt();
        QString page = QString::fromLatin1(readDictionary(pdf, *offsets, number));
        const auto match = box.match(page);
        if (!match.hasMatch())
            return false;
        const double left = match.captured(1).toDouble(), top = match.captured(4).toDouble();
        const QByteArray exact = "/MediaBox [" + real(left) + ' ' +
                                 real(top - pagePoints.height()) + ' ' +
                                 real(left + pagePoints.width()) + ' ' + real(top) + ']';
        page.replace(match.capturedStart(), match.capturedLength(), QString::fromLatin1(exact));
        amended[number] = page.toLatin1();
    }
    if (amended.size() < 2)
        return false;

    // The update: the amended objects, a cross-reference section for them alone, and a
    // trailer that points back to the original one.
    if (!pdf.seek(size))
        return false;
    QByteArray update = "\n";
    std::map<int, qint64> written;
    for (const auto &[number, dictionary] : amended) {
        written[number] = size + update.size();
        update += QByteArray::number(number) + " 0 obj\n" + dictionary + "\nendobj\n";
    }
    const qint64 newXref = size + update.size();
    update += "xref\n";
    for (const auto &[number, offset] : written)
        update += QByteArray::number(number) + " 1\n" +
                  QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(*count) + "\n/Root " +
              QByteArray::number(*root) + " 0 R\n";
    if (const auto info = firstNumber(trailer, R"(/Info (\d+) 0 R)"))
        update += "/Info " + QByteArray::number(*info) + " 0 R\n";
    static const QRegularExpression id(QStringLiteral(R"(/ID\s*\[[^\]]*\])"));
    if (const auto match = id.match(QString::fromLatin1(trailer)); match.hasMatch())
        update += match.captured(0).toLatin1() + '\n';
    update += "/Prev " + QByteArray::number(*xrefAt) + "\n>>\nstartxref\n" +
              QByteArray::number(newXref) + "\n%%EOF\n";
    return pdf.write(update) == update.size() && pdf.flush();
}

} // namespace sheet
