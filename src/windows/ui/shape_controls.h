#pragma once

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

// The choice of the animation's shape, "形", in the frames window: a flat sheet, a disc
// with its periods, or a lamp with its two cylinders' diameters and the figures of the
// strip they make.
struct ShapeControls {
    enum ShapeIndex { kFlat = 0, kDisc = 1, kLamp = 2 };
    static constexpr double kDefaultInnerMm = 80;
    static constexpr double kDefaultOuterMm = 90;

    QGroupBox *ShapeFrame = nullptr;   // "形"
    QRadioButton *ShapeOption[3] = {}; // "平面" (chosen at the start), "円盤", "ランプ"
    QSpinBox *PeriodsBox = nullptr;    // "周期", for a disc: 4 .. 180, 24 at the start
    QDoubleSpinBox *InnerDiameterBox = nullptr; // "内径", for a lamp, in mm
    QDoubleSpinBox *OuterDiameterBox = nullptr; // "外径", in mm
    QLabel *LampFigures = nullptr;              // the lamp's strips as they will be printed

    // The frame and its controls, laid out, for the window to place.
    QGroupBox *setupShapeControls(QWidget *parent, int width);
};
