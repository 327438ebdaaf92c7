#include "ui/widgets.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace dyx {

Picture::Picture(const QString& name, QImage image, QWidget* parent)
    : QWidget(parent), m_image(std::move(image)) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(m_image.size());
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // On a high-density screen the picture is scaled nearest-neighbour: its pixels stay squares
    // (the application rounds the scale to a whole factor).
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect source(0, 0, qMin(width(), m_image.width()), qMin(height(), m_image.height()));
    painter.drawImage(QPoint(0, 0), m_image, source);
    // Beyond the picture (the background when the window is made larger) the face colour shows.
    const QColor face = palette().color(QPalette::Window);
    if (width() > m_image.width()) {
        painter.fillRect(m_image.width(), 0, width() - m_image.width(), height(), face);
    }
    if (height() > m_image.height()) {
        painter.fillRect(0, m_image.height(), width(), height() - m_image.height(), face);
    }
}

CentredMessageBox::CentredMessageBox(Icon icon, const QString& caption, const QString& text,
                                     QWidget* parent)
    : QMessageBox(icon, caption, text, QMessageBox::Ok, parent) {}

void CentredMessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);  // lays the box out at its final size
    if (const QScreen* where = screen()) {
        const QRect area = where->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

IconButton::IconButton(const QString& name, QImage image, QWidget* parent)
    : QWidget(parent), m_image(std::move(image)) {
    setObjectName(name);
    resize(m_image.size());
    setCursor(Qt::PointingHandCursor);
}

void IconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
}

void IconButton::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

namespace {

// The gauge as a screen reader sees it: a progress bar with a value, a range and the text "30%".
class GaugeAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit GaugeAccessible(GaugeBar* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? gauge()->text() : QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return gauge()->progress(); }
    void setCurrentValue(const QVariant&) override {}  // the game sets it, not the reader
    QVariant maximumValue() const override { return gauge()->maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    GaugeBar* gauge() const { return static_cast<GaugeBar*>(widget()); }
};

QAccessibleInterface* gaugeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(GaugeBar::staticMetaObject.className()) && object) {
        return new GaugeAccessible(static_cast<GaugeBar*>(object));
    }
    return nullptr;
}

}  // namespace

GaugeBar::GaugeBar(const QString& name, QColor filled, QColor empty, QWidget* parent)
    : QWidget(parent), m_filled(filled), m_empty(empty) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool installed = [] {
        QAccessible::installFactory(gaugeAccessible);
        return true;
    }();
    (void)installed;
}

void GaugeBar::setValues(int progress, int maximum) {
    if (progress != m_progress || maximum != m_maximum) {
        m_progress = progress;
        m_maximum = maximum;
        update();
        QAccessibleValueChangeEvent event(this, m_progress);
        QAccessible::updateAccessibility(&event);
    }
}

int GaugeBar::percent() const {
    return m_maximum <= 0 ? 0 : static_cast<int>(static_cast<long long>(m_progress) * 100 / m_maximum);
}

void GaugeBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inner, m_empty);
    const int filledWidth = inner.width() * percent() / 100;
    painter.fillRect(QRect(inner.topLeft(), QSize(filledWidth, inner.height())), m_filled);
    // White drawn as a difference inverts whatever lies beneath each pixel of the text.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(inner, Qt::AlignCenter, text());
}

}  // namespace dyx
