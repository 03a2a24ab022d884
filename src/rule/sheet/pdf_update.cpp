#include "sheet/pdf_update.h"

#include <QFile>
#include <QIODevice>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <zlib.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace sheet
{

namespace
{

// qpdf's output, straight into the device the sheet is saved through.
class DevicePipeline : public Pipeline
{
  public:
    explicit DevicePipeline(QIODevice &device) : Pipeline("sheet file", nullptr), device_(device) {}
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

namespace
{

// Deflates what is written into it, with the PNG encoder's settings, into the next stage.
class RunLengthFlate : public Pipeline
{
  public:
    explicit RunLengthFlate(Pipeline *next) : Pipeline("run-length flate", next)
    {
        if (deflateInit2(&stream_, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
            throw std::bad_alloc();
    }
    ~RunLengthFlate() override { deflateEnd(&stream_); }
    void write(unsigned char const *data, size_t length) override
    {
        pump(data, length, Z_NO_FLUSH);
    }
    void finish() override
    {
        pump(nullptr, 0, Z_FINISH);
        getNext()->finish();
    }

  private:
    void pump(unsigned char const *data, size_t length, int flush)
    {
        stream_.next_in = const_cast<unsigned char *>(data);
        stream_.avail_in = uInt(length);
        int status = Z_OK;
        do {
            stream_.next_out = out_;
            stream_.avail_out = sizeof out_;
            status = deflate(&stream_, flush);
            if (status == Z_STREAM_ERROR)
                throw std::runtime_error("deflate failed");
            getNext()->write(out_, sizeof out_ - stream_.avail_out);
        } while (stream_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }

    z_stream stream_{};
    unsigned char out_[1 << 16];
};

// The picture's rows, each tagged with PNG's "up" filter and given as its difference from
// the row above, deflated into the stream.
void writePicture(const StreamedPicture &picture, Pipeline *pipeline)
{
    RunLengthFlate flate(pipeline);
    const size_t rowBytes = size_t(picture.size.width()) * 3;
    std::vector<unsigned char> above(rowBytes, 0);
    std::vector<unsigned char> row(rowBytes + 1);
    row[0] = 2; // up
    streamBands(picture.size, picture.rows, false,
                [&](const uchar *rgb, int count, qsizetype stride) {
                    for (int i = 0; i < count; ++i) {
                        const uchar *in = rgb + i * stride;
                        for (size_t k = 0; k < rowBytes; ++k)
                            row[k + 1] = uchar(in[k] - above[k]);
                        std::memcpy(above.data(), in, rowBytes);
                        flate.write(row.data(), row.size());
                    }
                    return true;
                });
    flate.finish();
}

bool isPlaceholder(QPDFObjectHandle image)
{
    if (!image.isStream())
        return false;
    QPDFObjectHandle dict = image.getDict();
    const QImage placeholder = picturePlaceholder();
    return dict.getKey("/Subtype").isNameAndEquals("/Image") && dict.getKey("/Width").isInteger() &&
           dict.getKey("/Width").getIntValue() == placeholder.width() &&
           dict.getKey("/Height").isInteger() &&
           dict.getKey("/Height").getIntValue() == placeholder.height();
}

// Puts the picture in place of the stand-in image of the first page.
bool replacePlaceholder(QPDF &pdf, const StreamedPicture &picture)
{
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (pages.empty())
        return false;
    for (auto &[name, image] : pages.front().getImages()) {
        if (!isPlaceholder(image))
            continue;
        QPDFObjectHandle dict = image.getDict();
        for (const char *key : {"/SMask", "/Mask", "/Decode", "/ImageMask", "/Length"})
            dict.removeKey(key);
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(picture.size.width()));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(picture.size.height()));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
        const std::string parms = "<< /Predictor 12 /Colors 3 /BitsPerComponent 8 /Columns " +
                                  std::to_string(picture.size.width()) + " >>";
        image.replaceStreamData([picture](Pipeline *pipeline) { writePicture(picture, pipeline); },
                                QPDFObjectHandle::newName("/FlateDecode"),
                                QPDFObjectHandle::parse(parms));
        return true;
    }
    return false;
}

bool amend(const QString &pdfPath, QIODevice &out, QSizeF pagePoints,
           const StreamedPicture *picture)
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
        if (picture && !replacePlaceholder(pdf, *picture))
            return false;
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

} // namespace

bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints)
{
    return amend(pdfPath, out, pagePoints, nullptr);
}

bool amendPdf(const QString &pdfPath, QIODevice &out, QSizeF pagePoints,
              const StreamedPicture &picture)
{
    return amend(pdfPath, out, pagePoints, &picture);
}

QImage picturePlaceholder()
{
    QImage placeholder(2, 1, QImage::Format_RGB32);
    placeholder.setPixel(0, 0, qRgb(255, 0, 0));
    placeholder.setPixel(1, 0, qRgb(0, 0, 255));
    return placeholder;
}

} // namespace sheet
