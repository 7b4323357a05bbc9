#pragma once

#include <QMap>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace hall {

// Plays the plug-in's sound cues by bare file name from the hall's sound folder. Missing files and
// machines without an audio device stay silent.
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(QString folder, QObject* parent = nullptr);
    void Play(const QString& file);
    void SetMuted(bool muted) { m_muted = muted; }

private:
    QString m_folder;
    bool m_muted = false;
    QMap<QString, QSoundEffect*> m_effects;
};

}  // namespace hall
