// Renders what a player sees from the real window, offscreen, by playing it: the start state, a
// lost word with its message open, and a contact sheet of every stage of every level.
//
// Usage: dyxscreens <output-folder>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "ui/mainwindow.h"

namespace {

// Sounds are not part of a picture.
class SilentPlayer final : public dyx::MediaPlayer {
public:
    void setFileName(const std::string&) override {}
    void open() override {}
    void play() override {}
    void stop() override {}
};

// Answers the window's boxes and dialogs while the tool plays: a file dialog gets the prepared
// word list, a message box is shown to `onBox` (which may take its picture) and then closed.
class Autopilot final : public QObject {
public:
    explicit Autopilot(QString wordList) : m_wordList(std::move(wordList)) {
        connect(&m_timer, &QTimer::timeout, this, [this] { answer(); });
        m_timer.start(5);
    }
    std::function<void(QMessageBox*)> onBox;

private:
    void answer() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible()) {
                continue;
            }
            if (auto* box = qobject_cast<QMessageBox*>(top)) {
                if (onBox) {
                    onBox(box);
                }
                box->button(QMessageBox::Ok)->click();
                return;
            }
            if (auto* dialog = qobject_cast<QFileDialog*>(top)) {
                // Typed into the name field, as a player would.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setText(m_wordList);
                }
                QMetaObject::invokeMethod(dialog, "accept");
                return;
            }
        }
    }
    QString m_wordList;
    QTimer m_timer;
};

std::unique_ptr<dyx::MainWindow> newWindow() {
    auto window = std::make_unique<dyx::MainWindow>(std::make_unique<SilentPlayer>(),
                                                    std::make_unique<SilentPlayer>());
    window->show();
    QApplication::processEvents();
    return window;
}

void trigger(dyx::MainWindow& window, const char* action) {
    window.findChild<QAction*>(QLatin1String(action))->trigger();
}

void click(dyx::MainWindow& window, const char* key) {
    window.findChild<QPushButton*>(QLatin1String(key))->click();
}

// The window with its menu bar, as it stands.
QImage grabWindow(dyx::MainWindow& window) {
    window.render();
    return window.grab().toImage();
}

// The window with a message box over it, the box centred on the window.
QImage withBox(const QImage& window, QMessageBox* box) {
    QImage scene = window;
    const QImage boxImage = box->grab().toImage();
    QPainter painter(&scene);
    const QPoint at((scene.width() - boxImage.width()) / 2, (scene.height() - boxImage.height()) / 2);
    painter.drawImage(at, boxImage);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(at, boxImage.size()).adjusted(0, 0, -1, -1));
    return scene;
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

struct Level {
    const char* action;
    const char* file;
    const char* title;
    int misses;
};

// Keys that miss the word "KOLO", in the order the tool clicks them.
constexpr const char* kMissKeys[] = {"A", "B", "C", "CW", "D", "DW", "E", "F",
                                     "G", "H", "I", "J", "M", "N", "NW", "P"};

QImage stageSheet(const Level& level, const QString& wordList) {
    Autopilot pilot(wordList);
    auto window = newWindow();
    trigger(*window, level.action);
    trigger(*window, "Vlastn1");
    trigger(*window, "Odzatku1");

    QList<QImage> tiles;
    QStringList labels;
    const auto board = [&] { return window->centralWidget()->grab().toImage(); };
    tiles << board();
    labels << QStringLiteral("start");
    pilot.onBox = [&](QMessageBox*) {
        window->render();
        tiles << board();
        labels << QStringLiteral("%1. chyba: prohra").arg(level.misses);
    };
    for (int miss = 1; miss <= level.misses; ++miss) {
        click(*window, kMissKeys[miss - 1]);
        if (miss < level.misses) {
            tiles << board();
            labels << QStringLiteral("%1. chyba").arg(miss);
        }
    }

    const int columns = 4;
    const int captionHeight = 20;
    const QSize tile = tiles.first().size();
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    QImage sheet(columns * (tile.width() + 8) + 8,
                 rows * (tile.height() + captionHeight + 8) + 40, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 4, sheet.width() - 16, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(level.title));
    font.setPixelSize(13);
    font.setBold(false);
    painter.setFont(font);
    for (int i = 0; i < tiles.size(); ++i) {
        const int x = 8 + (i % columns) * (tile.width() + 8);
        const int y = 40 + (i / columns) * (tile.height() + captionHeight + 8);
        painter.drawText(QRect(x, y, tile.width(), captionHeight), Qt::AlignCenter, labels[i]);
        painter.drawImage(x, y + captionHeight, tiles[i]);
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dyxscreens <output-folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir scratch;
    const QString wordList = scratch.filePath(QStringLiteral("kolo.KIL"));
    {
        QFile file(wordList);
        if (!file.open(QIODevice::WriteOnly) || file.write("KOLO\r\n") != 6) {
            std::fprintf(stderr, "cannot write a word list\n");
            return 1;
        }
    }
    bool ok = true;
    try {
        {
            auto window = newWindow();
            ok &= save(grabWindow(*window), out.filePath(QStringLiteral("start.png")));
        }
        {
            Autopilot pilot(wordList);
            auto window = newWindow();
            trigger(*window, "Vlastn1");
            trigger(*window, "Odzatku1");
            click(*window, "K");
            QImage lost;
            pilot.onBox = [&](QMessageBox* box) {
                if (lost.isNull()) {
                    lost = withBox(grabWindow(*window), box);
                }
            };
            for (const char* key : kMissKeys) {
                if (!lost.isNull()) {
                    break;
                }
                click(*window, key);
            }
            ok &= save(lost, out.filePath(QStringLiteral("lost.png")));
        }
        const Level levels[] = {
            {"Obtnost1", "stages-neandrtalec.png", "Pro neandrtálce: 15 chyb", 15},
            {"Prodti1", "stages-dite.png", "Pro dítě: 11 chyb", 11},
            {"Prognie1", "stages-chytry.png", "Pro chytrého: 7 chyb", 7},
            {"Prolidskslovnk1", "stages-slovnik.png", "Pro lidský slovník: 2 chyby", 2},
        };
        for (const Level& level : levels) {
            ok &= save(stageSheet(level, wordList), out.filePath(QLatin1String(level.file)));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return ok ? 0 : 1;
}
