#pragma once

#include <QPointer>
#include <array>
#include <memory>

#include "abi/game_view_api.h"
#include "abi/hall_site.h"
#include "hall/site/hall_services.h"
#include "sdk/kit/resource_module.h"

class QLabel;
class QWidget;

namespace hall {

// The seat pictures the hall hands a view of the current contract: each seat user's face from
// the hall's face library, shown in the frame the view keeps free for it and following the
// table as it changes (a new player, an empty chair).
class SeatFaces {
public:
    explicit SeatFaces(HallServices& services);
    ~SeatFaces();
    SeatFaces(const SeatFaces&) = delete;
    SeatFaces& operator=(const SeatFaces&) = delete;

    // Hands both seats' pictures to `api`'s view, once it is seated at a table and on screen (the
    // view builds the frames it keeps for them when first shown).
    void GiveTo(GameViewApi* api);

private:
    struct Face {
        SeatPicture object;  // first: the view's pointer is the Face's
        SeatFaces* owner = nullptr;
        int seat = 0;
        QPointer<QLabel> label;  // in the view's frame; gone with the view
        int shown = -2;          // the face number shown, -1 for none; -2 before the first
    };
    static void Draw(SeatPicture* self, void* drawingContext);
    void Refresh(Face& face);

    HallServices& m_services;
    std::shared_ptr<ResourceModule> m_library;
    std::array<Face, 2> m_faces;
};

}  // namespace hall
