#include "app/qt_sound_player.h"

#include <QUrl>

namespace veld::desktop {

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent), effect_(this) {}

void QtSoundPlayer::close() {
    effect_.stop();
}

bool QtSoundPlayer::open(const std::filesystem::path& path) {
    if (!isPlayableWav(path)) return false;
    effect_.setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
    return true;
}

void QtSoundPlayer::play() {
    // A source still loading plays once it has loaded; one that failed to load plays nothing.
    effect_.play();
}

bool QtSoundPlayer::isPlaying() const {
    return effect_.isPlaying();
}

}  // namespace veld::desktop
