#pragma once

#include "sources/frame_sequence.h"

#include <QDialog>

#include <memory>
#include <vector>

class QDialogButtonBox;
class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;
class QSpinBox;

// The small window 「動画・GIF から」: how many frames to take from an animation, a video or
// a folder (2 to 8), from which part of a video, and a strip of the frames that will be
// taken, redrawn as the choice changes. Accepting it leaves the choice in picks().
class SourceDialog : public QDialog
{
    Q_OBJECT
  public:
    SourceDialog(QWidget *parent, const QStringList &paths,
                 std::unique_ptr<sources::FrameSequence> sequence);
    ~SourceDialog() override;

    QSpinBox *Count = nullptr;      // 「コマの数」, 2 .. 8
    QDoubleSpinBox *From = nullptr; // 「はじめ（秒）」, videos only
    QDoubleSpinBox *To = nullptr;   // 「おわり（秒）」, 0: to the end
    QLabel *Choice = nullptr;       // which frames of how many
    std::vector<QLabel *> Strip;    // the picked frames, small
    QDialogButtonBox *Buttons = nullptr;

    sources::FrameSequence &sequence() { return *sequence_; }
    const std::vector<int> &picks() const { return picks_; }

    // Picks again for the count, reopening the sources for a new range, and redraws the
    // strip; decoding runs in the background.
    void updateChoice();

  private:
    void showStrip();

    QStringList paths_;
    std::unique_ptr<sources::FrameSequence> sequence_;
    sources::TimeRange range_;
    std::vector<int> picks_;
    QHBoxLayout *stripRow_ = nullptr;
};
