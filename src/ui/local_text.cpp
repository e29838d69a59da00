#include "ui/local_text.h"

#include "platform/code_page.h"

namespace murmex {

QString FromLocal(const std::string& text) {
    return QString::fromStdString(Win1250ToUtf8(text));
}

std::string ToLocal(const QString& text) {
    return Utf8ToWin1250(text.toStdString());
}

} // namespace murmex
