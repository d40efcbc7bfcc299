#include "platform/FileIo.h"

#include "core/DosDateTime.h"
#include "core/FileNames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orvelt {

QString NamePartOf(const QString& path) {
    const std::string bytes = path.toStdString();
    return QString::fromStdString(std::string(NamePart(bytes)));
}

QString UpperExtensionOf(const QString& path) {
    return QString::fromStdString(UpperExtension(path.toStdString()));
}

FileResult ReadFileBytes(const QString& path, std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, file.errorString()};
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, file.errorString()};
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return {true, {}};
}

FileResult WriteFileAtomically(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

std::optional<std::uint32_t> DosFileTime(const QString& path) {
    QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    QDateTime t = info.lastModified().toLocalTime();
    return PackDosDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                           t.time().minute(), t.time().second());
}

} // namespace orvelt
