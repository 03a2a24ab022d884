#include "sources/picture_sources.h"

#include "platform/command_error.h"
#include "platform/picture_file.h"
#include "platform/surface.h"
#include "sources/natural_order.h"
#include "sources/video_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace sources
{

namespace
{

void checkCancel(const std::atomic<bool> *cancel)
{
    if (cancel && cancel->load())
        throw Cancelled();
}

// The size the reader's picture has once turned upright.
QSize uprightSize(QImageReader &reader)
{
    const QSize stored = storedPictureSize(reader);
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? stored.transposed()
                                                                             : stored;
}

QSize headerSize(const QString &path)
{
    usePictureReaderLimits();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return uprightSize(reader);
}

DecodedPicture loadOrThrow(const QString &path, QSize bound, WhenDamaged damaged)
{
    try {
        return loadPictureFor(path, bound, damaged);
    } catch (const CommandError &e) {
        throw SourceError(path, QString::fromStdString(e.what()));
    }
}

class PictureSource : public FrameSource
{
  public:
    PictureSource(const QString &path, WhenDamaged damaged)
        : path_(path), natural_(headerSize(path)), damaged_(damaged)
    {
    }
    SourceKind kind() const override { return SourceKind::Picture; }
    int frameCount() const override { return 1; }
    QSize naturalSize(int) const override { return natural_; }
    DecodedPicture frame(int, QSize bound, const std::atomic<bool> *cancel) override
    {
        checkCancel(cancel);
        return loadOrThrow(path_, bound, damaged_);
    }

  private:
    QString path_;
    QSize natural_;
    WhenDamaged damaged_;
};

// Qt's readers composite each frame of an animation onto the ones before, so the frames
// are read in order; asking for an earlier one starts again from the first.
class AnimationSource : public FrameSource
{
  public:
    explicit AnimationSource(const QString &path) : path_(path)
    {
        restart();
        natural_ = reader_->size();
        count_ = reader_->imageCount();
        if (count_ > kMostSourceFrames)
            throw SourceError(path, QStringLiteral("too many frames"));
    }
    SourceKind kind() const override { return SourceKind::Animation; }
    int frameCount() const override { return count_; }
    QSize naturalSize(int) const override { return natural_; }
    DecodedPicture frame(int index, QSize bound, const std::atomic<bool> *cancel) override
    {
        if (index < next_)
            restart();
        QImage picture;
        while (next_ <= index) {
            checkCancel(cancel);
            // An animation that ends early repeats its last frame rather than failing.
            QImage read;
            if (!reader_->read(&read) || read.isNull()) {
                if (last_.isNull())
                    throw SourceError(path_, QStringLiteral("cannot decode picture"));
                next_ = index + 1;
                break;
            }
            last_ = read;
            ++next_;
        }
        picture = last_;
        const QSize natural = picture.size();
        const QSize size = decodedSizeFor(natural, bound);
        if (size != natural)
            picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return {asSurfaceImage(picture), natural};
    }

  private:
    void restart()
    {
        usePictureReaderLimits();
        reader_ = std::make_unique<QImageReader>(path_);
        next_ = 0;
        last_ = QImage();
    }

    QString path_;
    std::unique_ptr<QImageReader> reader_;
    QSize natural_;
    int count_ = 0;
    int next_ = 0;
    QImage last_;
};

class FolderSource : public FrameSource
{
  public:
    FolderSource(const QString &path, QStringList files, WhenDamaged damaged)
        : path_(path), files_(std::move(files)), damaged_(damaged)
    {
    }
    SourceKind kind() const override { return SourceKind::Folder; }
    int frameCount() const override { return int(files_.size()); }
    QSize naturalSize(int index) const override { return headerSize(files_.at(index)); }
    DecodedPicture frame(int index, QSize bound, const std::atomic<bool> *cancel) override
    {
        checkCancel(cancel);
        return loadOrThrow(files_.at(index), bound, damaged_);
    }

  private:
    QString path_;
    QStringList files_;
    WhenDamaged damaged_;
};

} // namespace

QSize decodedSizeFor(QSize natural, QSize bound)
{
    if (!bound.isValid() || natural.isEmpty())
        return natural;
    const double side = std::max(bound.width(), bound.height());
    const double scale = side / std::min(natural.width(), natural.height());
    if (scale >= 1)
        return natural;
    return QSize(std::max(1, int(std::ceil(natural.width() * scale))),
                 std::max(1, int(std::ceil(natural.height() * scale))));
}

std::unique_ptr<FrameSource> openPicture(const QString &path, WhenDamaged damaged)
{
    return std::make_unique<PictureSource>(path, damaged);
}

std::unique_ptr<FrameSource> openAnimation(const QString &path)
{
    return std::make_unique<AnimationSource>(path);
}

QStringList picturesInFolder(const QString &path)
{
    const QDir dir(path);
    QStringList names = dir.entryList(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot);
    sortNaturally(names);
    QStringList files;
    for (const QString &name : names) {
        const QString file = dir.filePath(name);
        if (looksLikePictureFile(file))
            files << file;
        if (files.size() > kMostSourceFrames)
            break;
    }
    return files;
}

std::unique_ptr<FrameSource> openFolder(const QString &path, WhenDamaged damaged)
{
    QStringList files = picturesInFolder(path);
    if (files.isEmpty())
        throw SourceError(path, QStringLiteral("the folder holds no picture"));
    if (files.size() > kMostSourceFrames)
        throw SourceError(path, QStringLiteral("too many pictures in the folder"));
    return std::make_unique<FolderSource>(path, std::move(files), damaged);
}

std::unique_ptr<FrameSource> openFrameSource(const QString &path, const TimeRange &range,
                                             WhenDamaged damaged)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw SourceError(path, QStringLiteral("No such file or directory"));
    if (info.isDir())
        return openFolder(path, damaged);
    // A FIFO or a device could keep a reader waiting forever.
    if (!info.isFile())
        throw SourceError(path, QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError(path, file.errorString());
    file.close();
    usePictureReaderLimits();
    QImageReader reader(path);
    if (reader.canRead()) {
        if (reader.supportsAnimation() && reader.imageCount() > 1)
            return openAnimation(path);
        if (!looksLikePictureFile(path))
            throw SourceError(path, QStringLiteral("picture too large"));
        return openPicture(path, damaged);
    }
    return openVideo(path, range);
}

} // namespace sources
