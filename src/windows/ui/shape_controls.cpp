#include "ui/shape_controls.h"

#include "shapes/disc_rule.h"
#include "shapes/lamp_layout.h"
#include "ui/controls.h"
#include "ui/palette.h"

#include <QBoxLayout>

namespace
{

// A caption level with the box beside it.
QLabel *caption(QWidget *parent, const QString &text, int width)
{
    QLabel *label = atLeast(plainLabel(parent, text, QRect()), width, 24);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QDoubleSpinBox *diameterBox(QWidget *parent, double value)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(shapes::kMinLampDiameterMm, shapes::kMaxLampDiameterMm);
    box->setDecimals(1);
    box->setValue(value);
    return atLeast(box, 80, 24);
}

QHBoxLayout *row()
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    return row;
}

} // namespace

QGroupBox *ShapeControls::setupShapeControls(QWidget *parent, int width)
{
    ShapeFrame = atLeast(frame(parent, QStringLiteral("形"), QRect()), width, 0);
    setBackground(ShapeFrame, kGrey);
    // The options in a widget of their own: option buttons exclude every other option
    // button under the same parent.
    auto *options = new QWidget(ShapeFrame);
    const QString names[] = {QStringLiteral("平面"), QStringLiteral("円盤"),
                             QStringLiteral("ランプ")};
    QHBoxLayout *choices = row();
    for (int i = 0; i < 3; ++i) {
        ShapeOption[i] = atLeast(optionButton(options, names[i], QRect()), 70, 22);
        choices->addWidget(ShapeOption[i]);
    }
    choices->addStretch();
    options->setLayout(choices);
    ShapeOption[kFlat]->setChecked(true);

    PeriodsBox = atLeast(new QSpinBox(ShapeFrame), 64, 24);
    PeriodsBox->setRange(shapes::kMinPeriods, shapes::kMaxPeriods);
    PeriodsBox->setValue(shapes::kDefaultPeriods);
    PeriodsBox->setToolTip(QStringLiteral("円盤をひとまわりする間の格子のくり返しの数"));
    QHBoxLayout *periods = row();
    periods->addWidget(caption(ShapeFrame, QStringLiteral("周期"), 36));
    periods->addWidget(PeriodsBox);
    periods->addStretch();

    InnerDiameterBox = diameterBox(ShapeFrame, kDefaultInnerMm);
    OuterDiameterBox = diameterBox(ShapeFrame, kDefaultOuterMm);
    InnerDiameterBox->setToolTip(QStringLiteral("絵を巻く内側の筒の直径"));
    OuterDiameterBox->setToolTip(QStringLiteral("格子を巻く外側の筒の直径"));
    QHBoxLayout *diameters = row();
    diameters->addWidget(caption(ShapeFrame, QStringLiteral("内径"), 36));
    diameters->addWidget(InnerDiameterBox);
    diameters->addWidget(caption(ShapeFrame, QStringLiteral("外径"), 36));
    diameters->addWidget(OuterDiameterBox);
    diameters->addWidget(caption(ShapeFrame, QStringLiteral("mm"), 24));
    diameters->addStretch();

    // Three lines kept for the figures, shown or not, so that the window keeps its size.
    LampFigures = atLeast(plainLabel(ShapeFrame, QString(), QRect()), width - 20, 0);
    LampFigures->setWordWrap(true);
    LampFigures->setMinimumHeight(3 * LampFigures->fontMetrics().lineSpacing());

    auto *layout = new QVBoxLayout(ShapeFrame);
    layout->setContentsMargins(13, 1, 3, 9);
    layout->setSpacing(4);
    layout->addWidget(options);
    layout->addLayout(periods);
    layout->addLayout(diameters);
    layout->addWidget(LampFigures);
    return ShapeFrame;
}
