// The file player of the sound effects over Qt Multimedia. A machine without an audio output
// plays nothing and says nothing.
#pragma once

#include <QObject>
#include <QSoundEffect>

#include "sound/sound_effects.h"

namespace veld::desktop {

class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
  public:
    explicit QtSoundPlayer(QObject* parent = nullptr);

    void close() override;
    // Only files a player can read are taken (checked here, so that a broken file fails at once
    // rather than later inside the audio backend).
    bool open(const std::filesystem::path& path) override;
    void play() override;
    bool isPlaying() const override;

  private:
    QSoundEffect effect_;
};

}  // namespace veld::desktop
