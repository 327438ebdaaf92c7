// Dyxolana: guess the hidden Czech word before the gallows is complete.

#include <QApplication>
#include <memory>

#include "ui/application.h"
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    dyx::AudioSystem audio;
    return dyx::runGame([&audio] {
        return dyx::MediaPlayers{std::make_unique<dyx::SdlMediaPlayer>(audio),
                                 std::make_unique<dyx::SdlMediaPlayer>(audio)};
    });
}
