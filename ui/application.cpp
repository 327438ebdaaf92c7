#include "ui/application.h"

#include <QApplication>
#include <QTimer>

#include "ui/mainwindow.h"
#include "ui/widgets.h"

namespace dyx {

int runGame(const std::function<MediaPlayers()>& makePlayers,
            const std::function<void()>& afterStart) {
    std::unique_ptr<MainWindow> window;
    try {
        auto [effects, music] = makePlayers();
        window = std::make_unique<MainWindow>(std::move(effects), std::move(music));
    } catch (const std::exception& error) {
        // The last-resort report: the game cannot run, so it says why and ends.
        CentredMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                              QStringLiteral("Hru Dyxolana nelze spustit.\n\n%1.")
                                  .arg(QString::fromUtf8(error.what())),
                              nullptr);
        box.exec();
        return 1;
    }
    window->show();
    if (afterStart) {
        // Well after the first paint, and long before a player could click a key.
        QTimer::singleShot(100, window.get(), afterStart);
    }
    return QApplication::exec();
}

}  // namespace dyx
