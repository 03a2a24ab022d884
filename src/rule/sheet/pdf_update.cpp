#include "sheet/pdf_update.h"

#include <QFile>
#include <QIODevice>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <stdexcept>

namespace sheet
{

namespace
{

// qpdf's output, straight into the device the sheet is saved through.
class DevicePipeline : public Pipeline
{
  public:
    explicit DevicePipeline(QIODevice &device) : Pipeline("sheet file", nullptr), device_(device)
    {
    }
    void write(unsigned char const *data, size_t length) override
    {
        if (device_.write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
            throw std::runtime_error("cannot write the sheet");
    }
    void finish() override {}

  private:
    QIODevice &device_;
};

} // namespace

bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(pdfPath).constData());
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle dictionary = page.getObjectHandle();
            QPDFObjectHandle box = dictionary.getKey("/MediaBox");
            if (!box.isRectangle())
                return false;
            const QPDFObjectHandle::Rectangle whole = box.getArrayAsRectangle();
            dictionary.replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle(
                                                   {whole.llx, whole.ury - pagePoints.height(),
                                                    whole.llx + pagePoints.width(), whole.ury}));
        }
        pdf.getRoot().replaceKey("/ViewerPreferences",
                                 QPDFObjectHandle::parse("<< /PrintScaling /None >>"));
        DevicePipeline pipe(out);
        QPDFWriter writer(pdf);
        // The picture's image is already compressed: pass every stream through unchanged.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setOutputPipeline(&pipe);
        writer.write();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace sheet
