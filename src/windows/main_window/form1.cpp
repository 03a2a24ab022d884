#include "main_window/form1.h"

#include "editor/form9.h"
#include "main_window/centring.h"
#include "platform/command_error.h"
#include "platform/platform.h"
#include "platform/surface_view.h"
#include "printing/form13.h"
#include "printing/form3.h"
#include "settings/form2.h"
#include "state/module3.h"
#include "state/program_state.h"

#include <QCloseEvent>
#include <QTimer>

#include <type_traits>

form1::form1(ProgramState &state, Platform &platform)
    : ProgramWindow(QStringLiteral("Lintaro"), 9705, 7065), state_(state), platform_(platform),
      timer1_(platform.makeTimer())
{
    setupControls(this, state_.main);
    timer1_->setInterval(0);
    timer1_->setOnTick([this] { Timer1_Timer(); });

    for (int i : {kLoadPicture1, kLoadPicture2, kCompose})
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    connect(Command2, &QPushButton::clicked, this, &form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &form1::Command7_Click);
    connect(mnusave, &QAction::triggered, this, &form1::mnusave_Click);
    connect(mnusaveanim, &QAction::triggered, this, &form1::mnusaveanim_Click);
    connect(mnupicture, &QAction::triggered, this, &form1::mnupicture_Click);
    connect(mnuframes, &QAction::triggered, this, &form1::mnuframes_Click);
    connect(mnuprint2, &QAction::triggered, this, &form1::mnuprint2_Click);
    connect(mnuprintsen, &QAction::triggered, this, &form1::mnuprintsen_Click);
    connect(mnusheet, &QAction::triggered, this, &form1::mnusheet_Click);
    connect(senhaba, &QAction::triggered, this, &form1::senhaba_Click);
    Image4View->acceptPictureDrops();
    Image5View->acceptPictureDrops();
    connect(Image4View, &HolderView::pictureDropped, this, &form1::Image4_Drop);
    connect(Image5View, &HolderView::pictureDropped, this, &form1::Image5_Drop);

    Form_Load();
}

form1::~form1()
{
    // Every other window goes with the main window.
    delete form9_;
    delete framesWindow_;
    delete form2_;
    delete form3_;
    delete form13_;
    delete sheetWindow_;
}

void form1::Form_Load()
{
    SharedState &vars = state_.vars;
    vars.lineWidth = 2;
    vars.latticeGap = 2;
    vars.latticeBar = 2;
    showLineWidth(vars.lineWidth);

    CentreOnScreen();

    vars.appFolder = withTrailingSeparator(platform_.app.programFolder());

    Command2->hide();
    Command3->hide();

    Module3::DrawStripeMaskA(state_);
    Module3::DrawStripeMaskB(state_);
    Module3::ClearComposed(state_);
    Module3::DrawLatticeSheet(state_);
}

// Centres the window by its outer size, frame included.
void form1::CentreOnScreen()
{
    centredFrame_ = frameGeometry().size();
    const QPoint corner = centredPositionTwips(platform_.app.screenSizeTwips(), centredFrame_ * 15);
    move(corner / 15);
}

bool form1::event(QEvent *event)
{
    const bool handled = ProgramWindow::event(event);
    // A window manager adds its frame only once the window is on the screen: the first
    // time the outer size differs from the one centred at start-up, centre again by it.
    const QEvent::Type type = event->type();
    if (!painted_ && type == QEvent::Paint) {
        painted_ = true;
        // A zero-interval timer runs once the events waiting now have been handled.
        auto *idle = new QTimer(this);
        idle->setSingleShot(true);
        idle->setInterval(0);
        connect(idle, &QTimer::timeout, this, [this, idle] {
            PrepareSurfaces();
            idle->deleteLater();
        });
        idle->start();
    }
    if (!centredByFrame_ && isVisible() &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate)) {
        const QSize frame = frameGeometry().size();
        if (frame != size()) {
            centredByFrame_ = true;
            if (frame != centredFrame_)
                CentreOnScreen();
        }
    }
    return handled;
}

// The surfaces hold their start-up drawings without building pixels, so the window appears
// without waiting for megabytes of them. Once it has, those the presses work on are built
// while the user looks at it, and the first press finds them as a program drawing them at
// start would. Nothing reads the two surfaces behind the main area or the large stripe
// surfaces, so they stay without pixels.
void form1::PrepareSurfaces()
{
    MainSurfaces &s = state_.main;
    for (Surface *surface :
         {&s.Picture1, &s.Picture2, &s.Picture3, &s.Picture4, &s.Picture40, &s.Picture5[2],
          &s.Picture8[0], &s.Picture8[1], &s.Picture9[0], &s.Picture9[1], &s.Picture11})
        surface->buildPixels();
}

void form1::closeEvent(QCloseEvent *event)
{
    timer1_->setInterval(0);
    event->accept();
    platform_.app.endProgram();
}

void form1::StopAnimationPrologue()
{
    timer1_->setInterval(0);
    Command2->show();
    Command3->hide();
    state_.main.Picture5[2].hide();
}

void form1::Command1_Click(int index)
{
    StopAnimationPrologue();
    switch (index) {
    case kLoadPicture1:
        OpenPicture1();
        break;
    case kLoadPicture2:
        OpenPicture2();
        break;
    case kCompose:
        ComposePictures();
        Command2->show();
        Command3->hide();
        break;
    default:
        break;
    }
}

void form1::Command4_Click()
{
    SaveComposed();
}

void form1::Command5_Click()
{
    platform_.app.endProgram();
}

void form1::Command6_Click()
{
    // Printing the picture is reached through the menu only.
}

void form1::Command7_Click()
{
    showWindow(form3_);
}

void form1::mnusave_Click()
{
    SaveComposed();
}

void form1::mnupicture_Click()
{
    showWindow(form9_);
}

void form1::mnuframes_Click()
{
    showWindow(framesWindow_);
}

void form1::mnuprint2_Click()
{
    showWindow(form13_);
}

void form1::mnuprintsen_Click()
{
    showWindow(form3_);
}

void form1::mnusheet_Click()
{
    // Picture 1 and picture 2 as they were loaded, decoded afresh from their files (or as the
    // editor handed them over), so the sheet fits every pixel they have onto its canvas of the
    // composed picture's proportions at the printer's resolution. A slot that holds nothing,
    // or whose file can no longer be read, gives its large canvas.
    MainSurfaces &s = state_.main;
    std::vector<sheet::FramePicture> frames;
    for (int i = 0; i < 2; ++i) {
        const SlotSource &source = state_.sources[i];
        frames.push_back(source.picture.isNull()
                             ? sheet::sheetFrameFrom(source.path, s.Picture9[i].image())
                             : sheet::FramePicture{source.picture, QSize()});
    }
    const QSize aspect = s.Picture3.image().size();
    showSheetWindow(sheetWindow_, platform_, std::move(frames), aspect);
}

void form1::senhaba_Click()
{
    showWindow(form2_);
}

void form1::showAndActivate()
{
    show();
    raise();
    activateWindow();
}

void form1::showLineWidth(int width)
{
    Label2[1]->setText(QString::number(width));
}

template <typename Window> Window *form1::showWindow(QPointer<Window> &window)
{
    if (!window) {
        if constexpr (std::is_constructible_v<Window, ProgramState &, Platform &>)
            window = new Window(state_, platform_);
        else
            window = new Window(state_, platform_, *this);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
