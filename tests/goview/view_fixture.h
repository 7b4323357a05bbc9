#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QWidget>
#include <memory>
#include <vector>

#include "goview/controls/control_id.h"
#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "match/match_snapshot.h"
#include "sdk/kit/settings_store.h"
#include "tests/goview/fake_hall.h"
#include "tests/goview/scripted_prompter.h"

namespace goview::testing {

// A view on a fake hall, shown offscreen at 1024 x 768, with an empty settings store.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(hall::SettingsStoreFile());
        prompter = std::make_shared<ScriptedPrompter>();
    }
    void TearDown() override {
        view.reset();
        host.reset();
        QFile::remove(hall::SettingsStoreFile());
    }
    // The view as the hall makes it: created, then given a window of the hall's as its parent.
    CGameView& MakeView(bool show = true) {
        view.reset();
        view = std::make_unique<CGameView>(hall.site(), ViewProfile::Current(), PluginResources(), prompter);
        if (show) {
            host = std::make_unique<QWidget>();
            host->resize(1024, 768);
            view->AttachToParent(host.get());
            view->resize(1024, 768);
            host->show();
            QApplication::processEvents();
        }
        return *view;
    }
    // The hall's picture of the table: a game in `state` with `moves` under the default rules, the
    // local seat (0) playing black.
    bool DeliverSnapshot(match::MatchState state, const std::vector<go::MoveRecord>& moves = {}) {
        match::MatchSnapshot s;
        s.state = static_cast<uint16_t>(state);
        s.moves = moves;
        const std::vector<uint8_t> bytes = match::EncodeSnapshot(s);
        return view->OnSceneChanged(bytes.data(), static_cast<int>(bytes.size()));
    }
    template <class T>
    T* Control(int id) {
        return FindControl<T>(view.get(), id);
    }

    FakeHall hall;
    std::shared_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<QWidget> host;
    std::unique_ptr<CGameView> view;  // destroyed before its host
};

}  // namespace goview::testing
