#pragma once

#include <QString>
#include <string>
#include <string_view>

// The one crossing between the core's Windows-1250 bytes and what the windows show.
namespace murmex {

// Windows-1250 text from the core (files, the wire, records) for a widget.
QString FromLocal(const std::string& text);
// A widget's text for the core; characters without a Windows-1250 form become '?'.
std::string ToLocal(const QString& text);

// The program's own UTF-8 literals (texts.h and its siblings).
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace murmex
