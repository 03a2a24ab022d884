#include "frames_window/frames_window.h"

#include "shapes/lamp_layout.h"
#include "sheet/sheet_choices.h"

#include <stdexcept>

shapes::ShapeRule FramesWindow::ChosenRule(int frameCount) const
{
    if (ShapeOption[kDisc]->isChecked())
        return shapes::DiscRule(PeriodsBox->value(), frameCount);
    return shapes::StraightRule(SlitWidth->value(), frameCount);
}

sheet::ShapeChoices FramesWindow::ChosenSheetShape() const
{
    sheet::ShapeChoices shape;
    if (ShapeOption[kDisc]->isChecked())
        shape.shape = sheet::SheetShape::Disc;
    else if (ShapeOption[kLamp]->isChecked())
        shape.shape = sheet::SheetShape::Lamp;
    shape.periods = PeriodsBox->value();
    shape.innerMm = InnerDiameterBox->value();
    shape.outerMm = OuterDiameterBox->value();
    return shape;
}

void FramesWindow::Shape_Click(int)
{
    ShowShapeControls();
    RecomposeForShape();
}

void FramesWindow::Periods_Change()
{
    if (ShapeOption[kDisc]->isChecked())
        RecomposeForShape();
}

void FramesWindow::Diameters_Change()
{
    ShowLampFigures();
}

// The shape shows at once on what is composed. The frames are fitted afresh, as 「合成」
// does; a strip that no longer holds two frames keeps the composition it made.
void FramesWindow::RecomposeForShape()
{
    if (!animation_.isComposed() || slots_.frameCount() < frames::kMinFrames)
        return;
    const bool running = timer_->interval() != 0;
    Compose_Click();
    if (running && animation_.isComposed())
        StartPreview_Click();
}

void FramesWindow::ShowShapeControls()
{
    const bool disc = ShapeOption[kDisc]->isChecked();
    const bool lamp = ShapeOption[kLamp]->isChecked();
    // A disc's stripes are sectors, so a slit width says nothing for it.
    SlitWidth->setEnabled(!disc);
    PeriodsBox->setEnabled(disc);
    InnerDiameterBox->setEnabled(lamp);
    OuterDiameterBox->setEnabled(lamp);
    ShowLampFigures();
}

// The lamp as the sheet prints it at its usual slit and resolution: the picture strip is
// a whole number of periods of whole dots, so the inner cylinder is built to the diameter
// that strip really wraps.
void FramesWindow::ShowLampFigures()
{
    const int count = slots_.frameCount();
    if (!ShapeOption[kLamp]->isChecked()) {
        LampFigures->clear();
        return;
    }
    if (count < frames::kMinFrames) {
        LampFigures->setText(QStringLiteral("コマが２つ以上あると、帯の寸法が出ます。"));
        return;
    }
    try {
        const shapes::LampLayout lamp =
            shapes::layOutLamp(count, sheet::kDefaultSlitMm, sheet::kDefaultDpi,
                               InnerDiameterBox->value(), OuterDiameterBox->value());
        const double stripMm = lamp.stripDots * 25.4 / lamp.dpi;
        LampFigures->setText(
            QStringLiteral("実際の内径 %1 mm（周期 %2）\n絵の帯 %3 mm・格子の帯 %4 mm\n"
                           "線の幅 %5 mm、%6 dpi で印刷するとき")
                .arg(lamp.innerDiameterMm, 0, 'f', 1)
                .arg(lamp.periods)
                .arg(stripMm, 0, 'f', 1)
                .arg(lamp.latticeLengthMm, 0, 'f', 1)
                .arg(sheet::kDefaultSlitMm, 0, 'f', 1)
                .arg(lamp.dpi));
    } catch (const std::invalid_argument &) {
        LampFigures->setText(QStringLiteral("外径は内径より大きくしてください。"));
    }
}
