#include "editor/form9.h"
#include "ui/main_window_link.h"

#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/message_service.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "platform/surface_view.h"
#include "state/fill_box.h"
#include "state/program_state.h"

#include <QCloseEvent>

form9::form9(ProgramState &state, Platform &platform, MainWindowLink &main)
    : ProgramWindow(QStringLiteral("絵の作成"), 13665, 8505), state_(state), platform_(platform),
      main_(main)
{
    setupControls(this, *this);

    for (int i : {kLoadInsert, kLoadBase, kComposeEditor})
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    for (int i : {kToPicture1, kToPicture2, kBack})
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    for (int i = kMoveHome; i <= kMoveDownFar; ++i)
        connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    for (int i = kZoomReset; i <= kZoomOutFar; ++i)
        connect(Command4[i], &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
    connect(Image1View, &HolderView::clicked, this, &form9::Image1_Click);
    connect(Image2View, &HolderView::clicked, this, &form9::Image2_Click);
    Image1View->acceptPictureDrops();
    Image2View->acceptPictureDrops();
    connect(Image1View, &HolderView::pictureDropped, this, &form9::Image1_Drop);
    connect(Image2View, &HolderView::pictureDropped, this, &form9::Image2_Drop);
    connect(mnusave, &QAction::triggered, this, &form9::mnusave_Click);

    // Placed in the centre of the screen when first shown.
    const QSize screen = platform_.app.screenSizeTwips() / 15;
    move((screen.width() - frameGeometry().width()) / 2,
         (screen.height() - frameGeometry().height()) / 2);
}

void form9::Form_Activate()
{
    // Each return to the editor starts it afresh. Image10, Picture7, Image6 and the size of
    // Picture1 stay: a move press after coming back shows the earlier insert picture again.
    ResetEditor();
    ClearInsertSurface();
    ClearBaseSurface();
    ClearComposedSurface();
    ClearMasks();
    ClearInverseMasks();
    Image1.setPicture(QImage());
    Image2.setPicture(QImage());
}

void form9::Command1_Click(int index)
{
    switch (index) {
    case kLoadInsert:
        LoadInsertPicture();
        break;
    case kLoadBase:
        LoadBasePicture();
        break;
    case kComposeEditor:
        ComposeEditorPicture();
        break;
    default:
        break;
    }
}

void form9::Command2_Click(int index)
{
    switch (index) {
    case kToPicture1:
        TakeEditorPicture1();
        break;
    case kToPicture2:
        TakeEditorPicture2();
        break;
    case kBack:
        // "もどる": the editor keeps its pictures while hidden, but coming back activates it.
        hide();
        main_.showAndActivate();
        break;
    default:
        break;
    }
}

void form9::Image1_Click()
{
    LoadInsertPicture();
}

void form9::Image2_Click()
{
    LoadBasePicture();
}

void form9::mnusave_Click()
{
    SaveEditorPicture();
}

void form9::closeEvent(QCloseEvent *event)
{
    // The window and its pictures go; the zoom and offsets stay in the program's state.
    hide();
    event->accept();
}

void form9::ResetEditor()
{
    EditorState &e = state_.editor;
    e.moveX = 0;
    e.moveY = 0;
    e.zoomWidth = 640;
    e.zoomHeight = 480;
    e.zoomSteps = 1;
    e.zoomLeft = 0;
    e.zoomTop = 0;
}

void form9::ClearInsertSurface()
{
    // At Picture1's current size, however far it is zoomed.
    FillWhole(Picture1, state_.vars, kWhite);
}

void form9::ClearBaseSurface()
{
    FillWhole(Picture2, state_.vars, kWhite);
}

void form9::ClearComposedSurface()
{
    FillWhole(EditorSurfaces::Picture3, state_.vars, kWhite);
}

void form9::ClearMasks()
{
    // The box is measured on index 0 and used for both.
    FillWhole(Picture4[0], state_.vars, kBlack);
    FillBox(Picture4[1], state_.vars, kBlack);
}

void form9::ClearInverseMasks()
{
    FillWhole(Picture5[0], state_.vars, kWhite);
    FillBox(Picture5[1], state_.vars, kWhite);
}

void form9::SaveEditorPicture()
{
    // A cancel ends silently; a file that cannot be written is named to the user.
    reportingUnwrittenFiles(platform_.messages, [&] {
        const QString path = platform_.dialogs.showSave(bitmapSaveRequest(state_.vars.appFolder));
        savePictureAsBmp(EditorSurfaces::Picture3.image(), path);
    });
}
