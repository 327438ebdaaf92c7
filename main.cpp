// Dyxolana: guess the hidden Czech word before the gallows is complete.

#include <QApplication>
#include <memory>

#include "ui/application.h"
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"

int main(int argc, char** argv) {
    // The pictures are pixel art: on a high-density screen they are scaled by whole factors only,
    // so that every pixel stays a crisp square.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    // Lets desktops match the window to its menu entry; the title stays the program's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.dyxolana.Dyxolana"));
    dyx::AudioSystem audio;
    return dyx::runGame([&audio] {
        return dyx::MediaPlayers{std::make_unique<dyx::SdlMediaPlayer>(audio),
                                 std::make_unique<dyx::SdlMediaPlayer>(audio)};
    });
}
