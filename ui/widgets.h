#pragma once
// The two drawn widgets of the window: an opaque picture and a bar gauge.

#include <QImage>
#include <QMessageBox>
#include <QWidget>

namespace dyx {

// A fixed picture drawn opaque and unscaled from its top-left corner. A control narrower than its
// picture shows the picture's left part (the complete figure is widened only while a lost word is
// shown); a control larger than its picture shows the window's face colour beyond it. On screens
// with a device pixel ratio above 1 the picture is scaled by whole factors, nearest neighbour, so
// it stays crisp.
class Picture final : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& name, QImage image, QWidget* parent);
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// A message box with a single "OK" button that stands in the middle of the screen, whatever window
// it belongs to.
class CentredMessageBox final : public QMessageBox {
    Q_OBJECT
public:
    CentredMessageBox(Icon icon, const QString& caption, const QString& text, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
};

// A small icon with a transparent ground that runs a command when clicked (the editor's icons).
class IconButton final : public QWidget {
    Q_OBJECT
public:
    IconButton(const QString& name, QImage image, QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

// A bar gauge: a 1-pixel black border, the bar in its empty colour, the filled part from the left
// covering the percentage of the inner width (truncated to whole pixels), and the percentage
// written in the middle, inverting the colours beneath each pixel of the text.
class GaugeBar final : public QWidget {
    Q_OBJECT
public:
    GaugeBar(const QString& name, QColor filled, QColor empty, QWidget* parent);
    // Screen readers see the gauge as a progress bar: its value, range and percentage text.
    void setValues(int progress, int maximum);
    int progress() const { return m_progress; }
    int maximum() const { return m_maximum; }
    int percent() const;
    QString text() const { return QString::number(percent()) + QLatin1Char('%'); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_filled;
    QColor m_empty;
    int m_progress = 0;
    int m_maximum = 10;
};

}  // namespace dyx
