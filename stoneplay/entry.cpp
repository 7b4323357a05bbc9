// The legacy plug-in's only export, GetGameCreator, the creator the older hall builds the game
// with, and the game interface ("I_Go") through which the hall drives the view.

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <cstring>
#include <memory>

#include "abi/legacy_game.h"
#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "legacylink/scene_record.h"
#include "match/match_types.h"
#include "stoneplay/legacy_link.h"
#include "stoneplay/link/skin_path.h"
#include "stoneplay/window_size.h"

namespace {

using goview::CGameView;
using stoneplay::LegacyLink;

constexpr char kGameName[] = "\xCE\xA7\xC6\xE5";  // 围棋 in GBK

bool SameGuid(const LegacyGuid* a, const LegacyGuid& b) { return a != nullptr && std::memcmp(a, &b, sizeof b) == 0; }

// The game interface of the one view; its table comes first, so the hall's pointer is the
// object's address. The reference count is the hall's to keep: reaching zero frees nothing, as
// the view lives until its window is destroyed.
struct GameInterface {
    GoGame game;
    QPointer<CGameView> view;
    LegacyLink* link = nullptr;
    int32_t references = 0;
};
static_assert(offsetof(GameInterface, game) == 0);

// The one creator, built when the library loads and never freed by the hall.
struct Creator {
    GameCreator object;
    CreatorSite* site = nullptr;
    void* resourceModule = nullptr;
    stoneplay::ChatFormatter chat;
    GameInterface game;
};
static_assert(offsetof(Creator, object) == 0);

Creator& CreatorOf(GameCreator* self) { return *reinterpret_cast<Creator*>(self); }
GameInterface* GameOf(GoGame* self) { return reinterpret_cast<GameInterface*>(self); }
CGameView* ViewOf(GoGame* self) { return self != nullptr ? GameOf(self)->view.data() : nullptr; }
// The view's link lives as long as the view.
LegacyLink* LinkOf(GoGame* self) { return ViewOf(self) != nullptr ? GameOf(self)->link : nullptr; }
bool HasLocalUser(GoGame* self) { return LinkOf(self) != nullptr && LinkOf(self)->Facts().HasTable(); }

QSize WindowSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return stoneplay::LegacyWindowSize(screen != nullptr ? screen->size().width() : 1024);
}

// ---- GoGame ----

int32_t QueryInterface(GoGame* self, const LegacyGuid* id, void** out) {
    if (out == nullptr) return LEGACY_E_FAIL;
    *out = nullptr;
    if (SameGuid(id, LEGACY_IID_IUNKNOWN) || SameGuid(id, LEGACY_IID_GO_VIEW)) {
        *out = ViewOf(self);
    } else if (SameGuid(id, LEGACY_IID_GO_GAME)) {
        *out = self;
    } else {
        return LEGACY_E_NOINTERFACE;
    }
    ++GameOf(self)->references;
    return LEGACY_S_OK;
}

int32_t AddRef(GoGame* self) { return ++GameOf(self)->references; }
int32_t Release(GoGame* self) { return --GameOf(self)->references; }

int32_t GetLimit(GoGame*, int32_t* out) {
    if (out == nullptr) return LEGACY_E_INVALIDARG;
    *out = 180000;
    return LEGACY_S_OK;
}

int32_t Triple(int32_t* three, int32_t value) {
    if (three == nullptr) return LEGACY_E_INVALIDARG;
    three[0] = three[1] = three[2] = value;
    return LEGACY_S_OK;
}
int32_t GetTriple(GoGame*, int32_t* three) { return Triple(three, 2); }
int32_t QueryTriple(GoGame*, int32_t* three) { return Triple(three, 5); }

int32_t GetName(GoGame*, char* out) {
    if (out == nullptr) return LEGACY_E_INVALIDARG;
    std::memcpy(out, "I_Go", 5);
    return LEGACY_S_OK;
}

int32_t Failing(GoGame*) { return LEGACY_E_FAIL; }
int32_t NotImplemented(GoGame*) { return LEGACY_E_NOTIMPL; }

int32_t AttachTable(GoGame* self, TableChannel* table) {
    if (table == nullptr) return LEGACY_E_INVALIDARG;
    LegacyLink* link = LinkOf(self);
    if (link == nullptr) return LEGACY_E_FAIL;
    link->AttachTable(table);
    return LEGACY_S_OK;
}

int32_t EnterTable(GoGame* self) {
    if (CGameView* view = ViewOf(self)) view->EnterTable();
    return LEGACY_S_OK;
}

int32_t EnableStart(GoGame* self) {
    CGameView* view = ViewOf(self);
    if (view == nullptr || !HasLocalUser(self)) return LEGACY_E_FAIL;
    view->EnableStart();
    return LEGACY_S_OK;
}

int32_t OnGameStart(GoGame* self) {
    CGameView* view = ViewOf(self);
    if (view == nullptr || !HasLocalUser(self)) return LEGACY_E_FAIL;
    view->OnGameStart();
    return LEGACY_S_OK;
}

int32_t OnGameOver(GoGame* self, const void* result) {
    CGameView* view = ViewOf(self);
    if (view == nullptr || result == nullptr) return LEGACY_E_FAIL;
    // The end is taken even when a seat's user cannot be read, so that the game is still offered
    // for saving; the failure is reported afterwards.
    view->OnGameOver(static_cast<const uint8_t*>(result));
    const match::TableFacts& facts = LinkOf(self)->Facts();
    if (!facts.SeatUser(0) || !facts.SeatUser(1)) return LEGACY_E_FAIL;
    return LEGACY_S_OK;
}

int32_t OnSceneChanged(GoGame* self, const void* scene) {
    CGameView* view = ViewOf(self);
    if (view == nullptr || scene == nullptr) return LEGACY_E_FAIL;
    // The record says how long it is; that is all there is to go by on this side of the hall.
    const auto* bytes = static_cast<const uint8_t*>(scene);
    uint32_t total = 0;
    std::memcpy(&total, bytes, 4);
    const std::optional<std::span<const uint8_t>> snapshot = legacylink::SceneSnapshot(std::span(bytes, total < 4 ? 4 : total));
    if (!snapshot) return LEGACY_E_FAIL;
    return view->OnSceneChanged(snapshot->data(), static_cast<int>(snapshot->size())) ? LEGACY_S_OK : LEGACY_E_FAIL;
}

int32_t Ignored(GoGame*, intptr_t) { return LEGACY_S_OK; }

int32_t OnUserChanged(GoGame* self, int32_t seat, int32_t value, SeatPlayer* user) {
    CGameView* view = ViewOf(self);
    if (view == nullptr) return LEGACY_E_FAIL;
    // A seat without a user shows no face and no name.
    CGameView::SeatProfile profile;
    if (user != nullptr && user->vtbl != nullptr && (user->vtbl->HasUser == nullptr || user->vtbl->HasUser(user) != 0)) {
        profile.name = QString::fromStdString(stoneplay::NicknameOf(user));
        profile.face = user->vtbl->GetFace != nullptr ? user->vtbl->GetFace(user) : -1;
    }
    view->TakeSeatUser(seat, profile, static_cast<int>(match::SeatChange::Seated), value);
    return LEGACY_S_OK;
}

int32_t OnGameCommand(GoGame* self, int32_t command, const void* data, int32_t length) {
    if (CGameView* view = ViewOf(self)) view->OnGameCommand(match::DecodeCommand(command), static_cast<const uint8_t*>(data), length);
    return LEGACY_S_OK;
}

int32_t CanLeave(GoGame* self) {
    CGameView* view = ViewOf(self);
    if (view == nullptr || !HasLocalUser(self)) return LEGACY_S_OK;
    return view->CanClose() != 0 ? LEGACY_S_OK : LEGACY_E_FAIL;
}

int32_t EnableLoad(GoGame* self) {
    if (CGameView* view = ViewOf(self)) view->EnableLoad();
    return LEGACY_S_OK;
}

int32_t ShowSettings(GoGame* self) {
    if (CGameView* view = ViewOf(self)) view->ShowSettings();
    return LEGACY_S_OK;
}

constexpr GoGameVtbl kGameTable = {
    QueryInterface, AddRef,        Release,      GetLimit,      GetTriple,    GetName,         Failing,  Failing,
    QueryTriple,    AttachTable,   EnterTable,   EnableStart,   OnGameStart,  OnGameOver,      OnSceneChanged,
    Ignored,        OnUserChanged, OnGameCommand, CanLeave,     NotImplemented, EnableLoad,    ShowSettings,
};

// ---- GameCreator ----

void SetSite(GameCreator* self, CreatorSite* site) { CreatorOf(self).site = site; }
int32_t ConstantTwo(GameCreator*) { return 2; }
int32_t Constant256(GameCreator*) { return 256; }

LegacyWindowHandle CreateGameWindow(GameCreator* self, LegacyWindowHandle parent) {
    Creator& creator = CreatorOf(self);
    if (creator.game.view) return creator.game.view.data();
    // The view is a widget: without the hall's widget application there is nothing to build it in.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    CreatorSite* site = creator.site;
    const bool hasSite = site != nullptr && site->vtbl != nullptr;
    if (hasSite && site->vtbl->GetResourceModule != nullptr) creator.resourceModule = site->vtbl->GetResourceModule(site);
    auto link = std::make_unique<LegacyLink>(site, creator.chat);
    LegacyLink* linkPointer = link.get();
    // "Res.dll" by its plain name; the stone pictures from the skin folder.
    const auto libraries = goview::ViewLibraries::Legacy(link->SkinFile(stoneplay::LibraryFileName("stonemind.dll").c_str()),
                                                         QString::fromStdString(stoneplay::LibraryFileName("Res.dll")));
    auto* view = new CGameView(std::move(link), goview::ViewProfile::Legacy(), goview::PluginResources(), nullptr,
                               libraries);
    creator.game.view = view;
    creator.game.link = linkPointer;
    if (hasSite && site->vtbl->SetLinkSlot != nullptr) site->vtbl->SetLinkSlot(site, linkPointer->LinkSlot());
    if (hasSite && site->vtbl->SetTitle != nullptr) site->vtbl->SetTitle(site, kGameName);
    if (hasSite && site->vtbl->SetIcon != nullptr) {
        QIcon icon(QPixmap::fromImage(goview::PluginResources()->LoadPicture(7001)));
        site->vtbl->SetIcon(site, &icon);
    }
    view->resize(WindowSize());
    view->AttachToParent(static_cast<QWidget*>(parent));
    view->move(0, 0);
    return view;
}

int32_t GetWindowSize(GameCreator*, int32_t* width, int32_t* height) {
    const QSize size = WindowSize();
    if (width != nullptr) *width = size.width();
    if (height != nullptr) *height = size.height();
    return 0;
}

int32_t GetGame(GameCreator* self, void** out) {
    if (out == nullptr) return LEGACY_E_INVALIDARG;
    Creator& creator = CreatorOf(self);
    *out = creator.game.view ? &creator.game.game : nullptr;
    return 0;
}

int32_t GetZero(GameCreator*, int32_t* out) {
    if (out != nullptr) *out = 0;
    return 0;
}

int32_t GetGameName(GameCreator*, char* a, char* b) {
    if (a != nullptr) std::memcpy(a, kGameName, sizeof kGameName);
    if (b != nullptr) std::memcpy(b, kGameName, sizeof kGameName);
    return 0;
}

void ConnectTextSink(GameCreator* self) {
    Creator& creator = CreatorOf(self);
    CreatorSite* site = creator.site;
    if (site == nullptr || site->vtbl == nullptr || site->vtbl->GetTextSink == nullptr) return;
    TextSink* sink = nullptr;
    site->vtbl->GetTextSink(site, &sink);
    creator.chat.Connect(sink);
}

void Nothing(GameCreator*) {}
int32_t CreatorNotImplemented(GameCreator*, intptr_t, intptr_t) { return LEGACY_E_NOTIMPL; }
// The creator is static: the hall's destructor call frees nothing.
GameCreator* Destroy(GameCreator* self, uint32_t) { return self; }

constexpr GameCreatorVtbl kCreatorTable = {
    SetSite, ConstantTwo, Constant256, CreateGameWindow, GetWindowSize,        GetGame,
    GetZero, GetGameName, ConnectTextSink, Nothing,       CreatorNotImplemented, Destroy,
};

Creator g_creator{{&kCreatorTable}, nullptr, nullptr, {}, {{&kGameTable}, nullptr, nullptr, 0}};

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t GetGameCreator(GameCreator** out) {
    if (out != nullptr) *out = &g_creator.object;
    return 1;
}
