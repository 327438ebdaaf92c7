// The smallest Qt Widgets program that shows a word the way the game does: a window at the game's
// place with one label, lime text on blue, where the game's mask stands (the game's menu bar is
// 21 pixels high under Xvfb, so its mask's label lies 45 pixels below the window's top). The
// start-up benchmark takes its time to show and its memory as the yardstick for the game's.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.move(209, 60);
    window.resize(338, 440);

    QLabel label(QStringLiteral("????"), &window);
    label.setGeometry(0, 45, 326, 20);
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(15);
    font.setBold(true);
    label.setFont(font);
    label.setAlignment(Qt::AlignCenter);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    label.setPalette(palette);
    label.setAutoFillBackground(true);

    window.show();
    return QApplication::exec();
}
