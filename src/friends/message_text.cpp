#include "friends/message_text.h"

#include "ui/local_text.h"

namespace murmex {

std::string ToMessageText(const QString& edited) {
    QString text = edited;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToLocal(text);
}

QString FromMessageText(const std::string& stored) {
    QString text = FromLocal(stored);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace murmex
