// qpdf's headers do not build as C++20 with Clang and libstdc++ 12 (its JSON type holds a
// vector of itself), so the one test file that includes them is built as C++17.
#include "sheet/pdf_content.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace pdf_content
{

std::vector<Page> readPages(const QString &path)
{
    std::vector<Page> pages;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            const double top = page.getMediaBox().getArrayAsRectangle().ury;
            Pl_Buffer contents("page contents");
            page.pipeContents(&contents);
            const std::shared_ptr<Buffer> bytes = contents.getBufferSharedPointer();
            pages.push_back(parsePage(QByteArray(reinterpret_cast<const char *>(bytes->getBuffer()),
                                                 qsizetype(bytes->getSize())),
                                      top));
        }
    } catch (const std::exception &) {
        return {};
    }
    return pages;
}

} // namespace pdf_content
