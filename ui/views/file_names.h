#pragma once
// File names between the window and the document. The document keeps a file's name as
// the bytes the file system holds; a QString cannot hold every such name (bytes that
// are not valid UTF-8 are lost on the way in), so the window keeps the bytes wherever
// it is given them: the command line, dropped files and the recent-file list. The file
// dialogs hand back QStrings, which go through Qt's file-name encoding.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

class QUrl;
class QVariant;

namespace velmora {

// The bytes of a name the user typed or chose in a dialog.
std::string NativePath(const QString& name);
// A file's name for titles, menus and messages (undecodable bytes shown as U+FFFD).
QString DisplayPath(std::string_view path);
// The last part of a path, for display.
QString DisplayFileName(std::string_view path);
// The bytes of a local file's URL as dropped on the window: the percent-encoded path
// decoded to bytes, not to text. Empty when the URL is not a local file.
std::string NativePathOfUrl(const QUrl& url);
// A name as a settings value: text when it is valid UTF-8 (as before), else the bytes.
QVariant PathSettingValue(std::string_view path);
std::string PathOfSettingValue(const QVariant& value);

}  // namespace velmora
