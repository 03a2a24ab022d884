#include "frames_window/source_dialog.h"

#include "frames/frames_rule.h"
#include "ui/background_work.h"
#include "sources/frame_picking.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// The strip's pictures keep the canvas's 4:3 shape.
const QSize kStripPicture(96, 72);
} // namespace

SourceDialog::SourceDialog(QWidget *parent, const QStringList &paths,
                           std::unique_ptr<sources::FrameSequence> sequence)
    : QDialog(parent), paths_(paths), sequence_(std::move(sequence))
{
    setWindowTitle(QStringLiteral("動画・GIF から"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    Count = new QSpinBox(this);
    Count->setRange(frames::kMinFrames, frames::kMaxFrames);
    Count->setValue(sources::kDefaultPickCount);
    form->addRow(QStringLiteral("コマの数"), Count);
    From = new QDoubleSpinBox(this);
    To = new QDoubleSpinBox(this);
    for (QDoubleSpinBox *box : {From, To}) {
        box->setRange(0, 36000);
        box->setDecimals(1);
        box->setSingleStep(0.5);
        box->setSuffix(QStringLiteral(" 秒"));
    }
    To->setSpecialValueText(QStringLiteral("おわりまで"));
    if (sequence_->hasVideo()) {
        form->addRow(QStringLiteral("はじめ"), From);
        form->addRow(QStringLiteral("おわり"), To);
    } else {
        From->hide();
        To->hide();
    }
    layout->addLayout(form);
    Choice = new QLabel(this);
    Choice->setWordWrap(true);
    layout->addWidget(Choice);
    stripRow_ = new QHBoxLayout;
    for (int i = 0; i < frames::kMaxFrames; ++i) {
        auto *picture = new QLabel(this);
        picture->setFixedSize(kStripPicture);
        picture->setFrameShape(QFrame::Box);
        picture->setAlignment(Qt::AlignCenter);
        Strip.push_back(picture);
        stripRow_->addWidget(picture);
    }
    layout->addLayout(stripRow_);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("コマに入れる"));
    Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("やめる"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Count, &QSpinBox::valueChanged, this, &SourceDialog::updateChoice);
    connect(From, &QDoubleSpinBox::editingFinished, this, &SourceDialog::updateChoice);
    connect(To, &QDoubleSpinBox::editingFinished, this, &SourceDialog::updateChoice);
    updateChoice();
}

SourceDialog::~SourceDialog() = default;

void SourceDialog::updateChoice()
{
    sources::TimeRange range;
    if (From->value() > 0)
        range.from = From->value();
    if (To->value() > 0)
        range.to = To->value();
    if (range.from != range_.from || range.to != range_.to) {
        // A new range is a new count of frames: the sources are opened again.
        std::unique_ptr<sources::FrameSequence> reopened;
        try {
            runInBackground(this, QStringLiteral("動画を読んでいます…"), 0,
                            [&](const std::atomic<bool> &, const std::function<void(int)> &) {
                                reopened = std::make_unique<sources::FrameSequence>(paths_, range);
                            });
        } catch (const std::exception &) {
        }
        if (reopened && reopened->total() >= frames::kMinFrames) {
            sequence_ = std::move(reopened);
            range_ = range;
        }
    }
    picks_ = sequence_->pick(Count->value());
    QStringList numbers;
    for (const int index : picks_)
        numbers << QString::number(index + 1);
    Choice->setText(QStringLiteral("%1 コマのうち %2 コマを使います：%3")
                        .arg(sequence_->total())
                        .arg(picks_.size())
                        .arg(numbers.join(QStringLiteral(", "))));
    Count->setEnabled(sequence_->total() > frames::kMaxFrames);
    showStrip();
}

void SourceDialog::showStrip()
{
    std::vector<QImage> pictures(picks_.size());
    bool done = false;
    try {
        done = runInBackground(
            this, QStringLiteral("コマを取り出しています…"), int(picks_.size()),
            [&](const std::atomic<bool> &cancel, const std::function<void(int)> &progressed) {
                for (size_t i = 0; i < picks_.size(); ++i) {
                    const DecodedPicture d = sequence_->frame(picks_[i], kStripPicture, &cancel);
                    pictures[i] = d.picture.scaled(kStripPicture, Qt::KeepAspectRatio,
                                                   Qt::SmoothTransformation);
                    progressed(int(i + 1));
                }
            });
    } catch (const std::exception &) {
    }
    for (size_t i = 0; i < Strip.size(); ++i) {
        Strip[i]->setVisible(i < picks_.size());
        Strip[i]->setPixmap(done && i < pictures.size() ? QPixmap::fromImage(pictures[i])
                                                        : QPixmap());
    }
}
