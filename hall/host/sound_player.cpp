#include "hall/host/sound_player.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace hall {

SoundPlayer::SoundPlayer(QString folder, QObject* parent) : QObject(parent), m_folder(std::move(folder)) {}

void SoundPlayer::Play(const QString& file) {
    // Only bare names are played: a cue never reaches outside the sound folder.
    if (m_muted || file.isEmpty() || file.contains('/') || file.contains('\\')) return;
    QSoundEffect* effect = m_effects.value(file);
    if (effect == nullptr) {
        const QString path = QDir(m_folder).filePath(file);
        if (!QFileInfo::exists(path)) return;
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
        m_effects.insert(file, effect);
    }
    effect->play();
}

}  // namespace hall
