// The plug-in's only export, CreateGameView, and the interface table through which the hall
// drives the view.

#include <QApplication>
#include <new>

#include "abi/game_view_api.h"
#include "goview/game_description.h"
#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "goview/view/screen_metrics.h"

namespace {

using goview::CGameView;

// The object behind the hall's GameViewApi pointer: the table comes first, so the hall's pointer
// is the object's address.
struct ViewInterface {
    GameViewApi api;
    CGameView* view;
};
static_assert(offsetof(ViewInterface, api) == 0);

CGameView* ViewOf(GameViewApi* self) { return self != nullptr ? reinterpret_cast<ViewInterface*>(self)->view : nullptr; }

// The hall may hand over one shared object; the first is remembered and, being borrowed, never
// released.
void* g_sharedObject = nullptr;

int32_t CreateViewWindow(GameViewApi* self, GameWindowHandle* window, GameWindowHandle parent, void* sharedObject) {
    if (sharedObject != nullptr && g_sharedObject == nullptr) g_sharedObject = sharedObject;
    CGameView* view = ViewOf(self);
    if (view == nullptr) return 0;
    view->AttachToParent(static_cast<QWidget*>(parent));
    if (window != nullptr) *window = view;
    return 1;
}

void OnSceneChanged(GameViewApi* self, const void* snapshot, int32_t length) {
    if (CGameView* view = ViewOf(self)) view->OnSceneChanged(static_cast<const uint8_t*>(snapshot), length);
}

int32_t OnUserChanged(GameViewApi* self, int32_t seat, int32_t kind, int32_t value) {
    CGameView* view = ViewOf(self);
    return view != nullptr ? view->OnUserChanged(seat, kind, value) : 0;
}

void QueryTriple(GameViewApi*, int32_t* three) {
    if (three == nullptr) return;
    three[0] = three[1] = three[2] = 5;
}

GameViewApi* OnGameStart(GameViewApi* self) {
    if (CGameView* view = ViewOf(self)) view->OnGameStart();
    return self;
}

void OnGameCommand(GameViewApi* self, int32_t, int32_t command, const void* data, int32_t length) {
    if (CGameView* view = ViewOf(self)) view->OnGameCommand(match::DecodeCommand(command), static_cast<const uint8_t*>(data), length);
}

int32_t CanClose(GameViewApi* self) {
    CGameView* view = ViewOf(self);
    return view != nullptr ? view->CanClose() : 1;
}

void Nothing(GameViewApi*) {}

int32_t EnableLoad(GameViewApi* self) {
    if (CGameView* view = ViewOf(self)) view->EnableLoad();
    return 1;
}

void OnGameOver(GameViewApi* self, const void* result) {
    if (CGameView* view = ViewOf(self)) view->OnGameOver(static_cast<const uint8_t*>(result));
}

int32_t ShowSettings(GameViewApi* self) {
    if (CGameView* view = ViewOf(self)) view->ShowSettings();
    return 1;
}

int32_t AttachTable(GameViewApi* self, int32_t tableId) {
    CGameView* view = ViewOf(self);
    return view != nullptr ? view->AttachTable(tableId) : 0;
}

int32_t DetachTable(GameViewApi* self, int32_t tableId) {
    CGameView* view = ViewOf(self);
    return view != nullptr ? view->DetachTable(tableId) : -1;
}

void DestroyView(GameViewApi* self) {
    if (self == nullptr) return;
    auto* holder = reinterpret_cast<ViewInterface*>(self);
    if (CGameView* view = holder->view) {
        // The timer stops now; the window goes once the current event is done, since the hall
        // may call this from inside one of the view's own events.
        view->Ticks().Stop();
        view->hide();
        view->setParent(nullptr);
        view->deleteLater();
    }
    delete holder;
}

int32_t Two(GameViewApi*) { return 2; }
int32_t One(GameViewApi*) { return 1; }
uint32_t GetViewVersion(GameViewApi*) { return GAME_VIEW_VERSION; }

GameWindowHandle SetSeatPicture(GameViewApi* self, int32_t seat, void* picture, int32_t* sizeKind) {
    CGameView* view = ViewOf(self);
    return view != nullptr ? view->SetSeatPicture(seat, picture, sizeKind) : nullptr;
}

int32_t OnHallNotify(GameViewApi* self, int32_t code) {
    if (CGameView* view = ViewOf(self)) view->OnHallNotify(code);
    return 0;
}

constexpr GameViewApiVtbl kTable = {
    CreateViewWindow, OnSceneChanged, OnUserChanged, QueryTriple,  OnGameStart,    OnGameCommand,  CanClose,
    Nothing,          EnableLoad,     OnGameOver,    Nothing,      Nothing,        ShowSettings,   Nothing,
    AttachTable,      DetachTable,    DestroyView,   Two,          One,            GetViewVersion, SetSeatPicture,
    One,              OnHallNotify,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t CreateGameView(uint32_t hallVersion, HallSite* hall,
                                                                         GameViewApi** api,
                                                                         GameDescription* description) {
    if ((hallVersion >> 16) < GAME_VIEW_MIN_HALL_MAJOR) return 0;
    const QCoreApplication* app = QCoreApplication::instance();
    const bool earlier =
        app != nullptr && app->property(HALL_VIEW_PROFILE_PROPERTY).toString() == QLatin1String(HALL_VIEW_PROFILE_EARLIER);
    const goview::ViewProfile profile = earlier ? goview::ViewProfile::EarlierBuild() : goview::ViewProfile::Current();
    ViewInterface* holder = nullptr;
    // The view is a widget: without the hall's widget application there is nothing to build it in.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        holder = new (std::nothrow) ViewInterface{{&kTable}, nullptr};
        if (holder != nullptr) {
            holder->view = new CGameView(hall, profile, goview::PluginResources(), nullptr);
        }
    }
    if (api != nullptr) *api = holder != nullptr ? &holder->api : nullptr;
    if (description != nullptr) {
        goview::FillGameDescription(*description, goview::MaximisedScreenSize().width(), profile);
    }
    return 1;
}
