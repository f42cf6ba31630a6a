#include "ui/views/file_names.h"

#include <QFile>
#include <QUrl>
#include <QVariant>

namespace velmora {
namespace {

QByteArray Bytes(std::string_view s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

// Whether Qt's file-name encoding gives these bytes back unchanged.
bool RoundTrips(std::string_view path) {
    const QByteArray bytes = Bytes(path);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

}  // namespace

std::string NativePath(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString DisplayPath(std::string_view path) { return QFile::decodeName(Bytes(path)); }

QString DisplayFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return DisplayPath(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string NativePathOfUrl(const QUrl& url) {
    if (!url.isLocalFile()) return {};
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QByteArray::fromPercentEncoding(encoded).toStdString();
}

QVariant PathSettingValue(std::string_view path) {
    if (RoundTrips(path)) return DisplayPath(path);
    return Bytes(path);
}

std::string PathOfSettingValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
    return NativePath(value.toString());
}

}  // namespace velmora
