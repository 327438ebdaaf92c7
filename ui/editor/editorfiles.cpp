#include "ui/editor/editorfiles.h"

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <string>
#include <string_view>

#include "game/errors.h"
#include "words/editortext.h"

namespace dyx::editor {

namespace {

[[noreturn]] void fail(const char* message, const QString& path) {
    throw GameError(message + path.toStdString());
}

[[noreturn]] void failWriting() {
    throw GameError("Stream write error");
}

// Writes straight into a target that must not be replaced, such as a device.
void writeDirectly(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail("Cannot create file ", path);
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        failWriting();
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        failWriting();
    }
}

void writeReplacing(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    // Unbuffered, so that a short write shows in write() itself. A buffered write would fail only
    // while commit() flushes, and QSaveFile (Qt 6.4) then puts the truncated file in place all the
    // same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail("Cannot create file ", path);
    }
    // Every byte must be on the disk before the old file is replaced: commit() ignores a failed
    // sync, so sync here (a file system that cannot sync at all says EINVAL). A failure throws
    // the temporary file away and leaves the old one alone.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        file.error() != QFileDevice::NoError || (::fsync(file.handle()) != 0 && errno != EINVAL)) {
        file.cancelWriting();
        failWriting();
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError) {
            fail("Cannot create file ", path);
        }
        failWriting();
    }
}

}  // namespace

QString open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail("Cannot open file ", path);
    }
    // One byte beyond the capacity is enough to tell that the file is too large. A pipe or a
    // device may deliver its bytes in pieces, so read until the end or the limit.
    QByteArray bytes(static_cast<qsizetype>(kMemoCapacity + 1), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const qint64 n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            fail("Cannot open file ", path);
        }
        if (n == 0) {
            break;
        }
        got += static_cast<qsizetype>(n);
    }
    const std::string text =
        editorTextFromFileBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(got)));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void save(const QString& path, const QString& text) {
    const QByteArray utf8 = text.normalized(QString::NormalizationForm_C).toUtf8();
    const std::string bytes = fileBytesFromEditorText(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));

    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        writeDirectly(path, bytes);
    } else {
        writeReplacing(path, bytes);
    }
}

}  // namespace dyx::editor
