#pragma once
// Answers the window's modal boxes and dialogs in tests: it records each message box (caption,
// text, icon, where it stands) and clicks its "OK"; a dialog gets the next queued answer, or is
// cancelled when none is queued.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

namespace dyx::testing {

class BoxAnswerer final : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
        QRect geometry;
    };

    BoxAnswerer() {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::answer);
        m_timer.start(2);
    }

    QList<Box> boxes;
    std::function<void(const Box&)> onBox;  // runs while the box is still open
    std::deque<std::function<void(QDialog*)>> dialogAnswers;

    QStringList texts() const {
        QStringList result;
        for (const Box& box : boxes) {
            result << box.text;
        }
        return result;
    }

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (!box->isVisible()) {
                return;
            }
            Box seen{box->windowTitle(), box->text(), box->icon(), {}, box->geometry()};
            for (QAbstractButton* button : box->buttons()) {
                seen.buttons << button->text().remove(QLatin1Char('&'));
            }
            boxes << seen;
            if (onBox) {
                onBox(seen);
            }
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            if (!dialog->isVisible()) {
                return;
            }
            if (dialogAnswers.empty()) {
                dialog->reject();
                return;
            }
            auto next = std::move(dialogAnswers.front());
            dialogAnswers.pop_front();
            next(dialog);
        }
    }

    QTimer m_timer;
};

}  // namespace dyx::testing
