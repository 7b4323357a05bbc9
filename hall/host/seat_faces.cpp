#include "hall/host/seat_faces.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "sdk/kit/cimage.h"

namespace hall {
namespace {

constexpr int kFirstFace = 101;             // the library's face pictures, 101 + face number
constexpr QRgb kFaceKey = qRgb(0, 128, 128);  // the faces' transparent colour

}  // namespace

SeatFaces::SeatFaces(HallServices& services) : m_services(services), m_library(ResourceModule::Open(QStringLiteral("gofaces"))) {
    static const SeatPictureVtbl table = {&SeatFaces::Draw};
    for (int seat = 0; seat < 2; ++seat) {
        m_faces[seat].object.vtbl = &table;
        m_faces[seat].owner = this;
        m_faces[seat].seat = seat;
    }
}

SeatFaces::~SeatFaces() {
    for (Face& face : m_faces) delete face.label.data();
}

void SeatFaces::GiveTo(GameViewApi* api) {
    for (Face& face : m_faces) {
        int32_t kind = 0;
        auto* frame = static_cast<QWidget*>(api->vtbl->SetSeatPicture(api, face.seat, &face.object, &kind));
        if (frame == nullptr) continue;
        delete face.label.data();
        face.label = new QLabel(frame);
        face.label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        face.label->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(face.label);
        face.shown = -2;
        Refresh(face);
    }
}

// Called after each paint of the view: the face follows the table.
void SeatFaces::Draw(SeatPicture* self, void*) {
    Face& face = *reinterpret_cast<Face*>(self);
    face.owner->Refresh(face);
}

void SeatFaces::Refresh(Face& face) {
    if (!face.label) return;
    const TableModel* table = m_services.Table();
    const SeatModel* seat = table != nullptr ? &table->seats[face.seat] : nullptr;
    const int number = seat != nullptr && seat->occupied ? seat->face : -1;
    // Until the view has laid its frames out there is no room to fit the face to.
    const QSize room = face.label->parentWidget()->size();
    if (number == face.shown || room.isEmpty()) return;
    face.shown = number;
    CImage picture;
    if (number < 0 || !m_library || !picture.LoadBitmap(*m_library, kFirstFace + number)) {
        face.label->clear();
        return;
    }
    // At its own size, in the panel's socket as on a free board; smaller where the frame is.
    const int side = std::min({picture.Width(), room.width(), room.height()});
    const QImage keyed = WithoutColour(picture.image(), kFaceKey);
    face.label->setPixmap(QPixmap::fromImage(keyed.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace hall
