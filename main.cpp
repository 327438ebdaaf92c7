// Dyxolana: guess the hidden Czech word before the gallows is complete.

#include <QApplication>
#include <QFile>
#include <memory>

#include "ui/application.h"
#include "ui/audio/deferredsound.h"

int main(int argc, char** argv) {
    // The pictures are pixel art: on a high-density screen they are scaled by whole factors only,
    // so that every pixel stays a crisp square.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    // Lets desktops match the window to its menu entry; the title stays the program's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.dyxolana.Dyxolana"));
    // The sound libraries take longer to load than the whole window: they come once the first
    // word is on screen.
    dyx::DeferredSound sound(dyx::DeferredSound::moduleLoader(
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
    return dyx::runGame(
        [&sound] { return dyx::MediaPlayers{sound.makePlayer(), sound.makePlayer()}; },
        [&sound] { sound.load(); });
}
