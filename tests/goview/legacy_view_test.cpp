// The view as the legacy plug-in builds it: its two libraries, the older hall's skin folder and
// its fixed layout.

#include <QCoreApplication>
#include <QDir>

#include "goview/controls/gbutton.h"
#include "goview/dialogs/study_window.h"
#include "goview/view/skin_files.h"
#include "match/control_ids.h"
#include "sdk/kit/settings_store.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

namespace control = match::control;

QString SkinFolder() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("go/go_img/")); }

// The current hall's link with the skin folder the build lays out beside the binaries.
class SkinnedLink : public HallSiteLink {
public:
    using HallSiteLink::HallSiteLink;
    QString SkinFile(const char* fileName) const override { return SkinFolder() + QString::fromLatin1(fileName); }
};

ViewLibraries Libraries(const QString& stones, const QString& faces) { return ViewLibraries::Legacy(stones, faces); }

using LegacyView = ViewTest;

TEST_F(LegacyView, WithoutBothLibrariesTheViewTakesNoStonesFacesOrSettings) {
    hall::RegWriteKeyInt("Go", nullptr, "IsShowStep", 0);
    const QString stones = SkinFolder() + QStringLiteral("libstonemind.so");
    struct Case {
        QString stones;
        QString faces;
        bool complete;
    };
    for (const Case& c : {Case{stones, QStringLiteral("no-such-res"), false},
                          Case{QStringLiteral("no-such-stones"), QStringLiteral("Res"), false},
                          Case{stones, QStringLiteral("Res"), true}}) {
        SCOPED_TRACE(c.stones.toStdString() + " / " + c.faces.toStdString());
        prompter->messages.clear();
        view = std::make_unique<CGameView>(hall.site(), ViewProfile::Legacy(), PluginResources(), prompter,
                                           Libraries(c.stones, c.faces));
        EXPECT_EQ(view->StonesLoaded(), c.complete);
        EXPECT_EQ(view->Settings().isShowStep, c.complete ? 0u : 1u) << "settings are read only with both";
        if (c.complete) {
            EXPECT_TRUE(prompter->messages.empty());
        } else {
            ASSERT_EQ(prompter->messages.size(), 1u);
            EXPECT_EQ(prompter->messages[0].text, QStringLiteral("资源装载失败"));
        }
    }
}

TEST_F(LegacyView, ButtonsPanelsAndTheStudyWindowTakeTheSkinFolderTheRestKeepsItsPictures) {
    view = std::make_unique<CGameView>(std::make_unique<SkinnedLink>(hall.site()), ViewProfile::Legacy(),
                                       PluginResources(), prompter,
                                       Libraries(SkinFolder() + QStringLiteral("libstonemind.so"), QStringLiteral("Res")));
    host = std::make_unique<QWidget>();
    host->resize(801, 716);
    view->AttachToParent(host.get());
    view->resize(801, 716);
    host->show();
    QApplication::processEvents();
    ASSERT_TRUE(view->StonesLoaded());
    EXPECT_TRUE(view->Layout().legacy);
    EXPECT_EQ(view->Layout().board.Square().left, 153) << "cells of 33 from (153, 5), as the older hall lays them";
    EXPECT_EQ(view->Layout().board.Cell(), 33);

    const QImage startUp(SkinFolder() + QStringLiteral("startup.bmp"));
    ASSERT_FALSE(startUp.isNull());
    auto* start = Control<GButton>(control::kStart);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->ImageFor(GButton::kNormal), 0) << "drawn from files, not picture numbers";
    EXPECT_EQ(start->sizeHint(), startUp.size());
    EXPECT_EQ(start->geometry(), QRect(259, 643, 64, 25));
    // Skinned: the twelve and the navigation; the "T", the referee and the small column keep
    // their resource pictures.
    for (control::Id id : {control::kPass, control::kStudy, control::kSave, control::kFirst, control::kStep}) {
        EXPECT_EQ(Control<GButton>(id)->ImageFor(GButton::kNormal), 0) << id;
    }
    for (control::Id id : {control::kTool, control::kReferee, control::kScreenshot, control::kBigBoardSmall}) {
        EXPECT_GT(Control<GButton>(id)->ImageFor(GButton::kNormal), 0) << id;
    }
    EXPECT_EQ(Control<QWidget>(control::kForcedCount), nullptr);

    const ViewPictures& pictures = view->Pictures();
    EXPECT_EQ(pictures.background.image().size(), QImage(SkinFolder() + QLatin1String(skin::kBackground)).size());
    EXPECT_EQ(pictures.panel.image().size(), QSize(121, 65));
    EXPECT_FALSE(pictures.turnMarkers[0].IsNull());
    EXPECT_FALSE(pictures.turnMarkers[1].IsNull());
    EXPECT_TRUE(pictures.toolbar.IsNull()) << "no toolbar under the older hall's buttons";

    // The frame shows the background's own pixels where nothing lies over it.
    const QImage frame = view->RenderFrame();
    EXPECT_EQ(frame.pixel(140, 700), pictures.background.image().pixel(140, 700));

    StudyWindow* study = view->Study();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(FindControl<GButton>(study, control::kFirst)->ImageFor(GButton::kNormal), 0);
    EXPECT_EQ(FindControl<GButton>(study, control::kMoveNumbers)->ImageFor(GButton::kNormal), 0);
    EXPECT_GT(FindControl<GButton>(study, 1026)->ImageFor(GButton::kNormal), 0) << "go-to keeps its picture";

    // The big board hides the buttons and the navigation; the column at the left edge stays.
    view->OnCommand(control::kBigBoard);
    for (control::Id id : {control::kStart, control::kSave, control::kFirst, control::kLast, control::kStep, control::kStepEdit,
                   control::kBigBoardSmall}) {
        EXPECT_FALSE(Control<QWidget>(id)->isVisible()) << id;
    }
    for (control::Id id : {control::kSmallBoard, control::kScreenshot, control::kHideNumbers}) {
        EXPECT_TRUE(Control<QWidget>(id)->isVisible()) << id;
    }
    EXPECT_FALSE(Control<QWidget>(control::kShowNumbers)->isVisible()) << "only the switch that changes the setting";
    EXPECT_EQ(view->Layout().board, BoardGeometry::Fit(Box{5, 5, 796, 711}));
    view->OnCommand(control::kSmallBoard);
    EXPECT_TRUE(Control<QWidget>(control::kStart)->isVisible());
    EXPECT_FALSE(Control<QWidget>(control::kSmallBoard)->isVisible());
}

}  // namespace
}  // namespace goview::testing
