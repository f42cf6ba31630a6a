#pragma once
// Texts between the core (UTF-8, lines ended by "\r\n") and the dialogs' widgets.
#include <QString>
#include <string>
#include <string_view>

namespace velmora {

inline QString DialogText(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
// A core text for a multi-line box, whose lines end in "\n".
inline QString FromCrLf(std::string_view s) { return DialogText(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
// A multi-line box's text back in the core's form.
inline std::string ToCrLf(const QString& s) {
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t.toStdString();
}

}  // namespace velmora
