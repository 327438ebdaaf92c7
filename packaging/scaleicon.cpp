// Enlarges the game's 32 × 32 window icon for the desktop's icon theme. Every pixel becomes a
// square block of equal pixels (nearest neighbour), so the hand-placed pixels of the little
// gallows stay crisp instead of being blurred by a smoothing filter.
//
// Usage: scaleicon <input.png> <output.png> <size>
// The size must be a whole multiple of the input's width and height, so that every source pixel
// covers the same number of output pixels. Exits with 1 and a message on bad arguments or when
// the picture cannot be read or written.

#include <QImage>
#include <QString>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "scaleicon: %s\n", message.toLocal8Bit().constData());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return fail(QStringLiteral("usage: scaleicon <input.png> <output.png> <size>"));
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || size <= 0) {
        return fail(QStringLiteral("the size \"%1\" is not a positive whole number")
                        .arg(QString::fromLocal8Bit(argv[3])));
    }

    QImage icon;
    if (!icon.load(input)) {
        return fail(QStringLiteral("cannot read the picture %1").arg(input));
    }
    if (size % icon.width() != 0 || size % icon.height() != 0) {
        return fail(QStringLiteral("%1 is not a whole multiple of the %2 × %3 picture %4")
                        .arg(size)
                        .arg(icon.width())
                        .arg(icon.height())
                        .arg(input));
    }

    // Keep the alpha channel: the icon's ground is transparent.
    const QImage scaled = icon.convertToFormat(QImage::Format_ARGB32)
                              .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(output, "PNG")) {
        return fail(QStringLiteral("cannot write the picture %1").arg(output));
    }
    return 0;
}
