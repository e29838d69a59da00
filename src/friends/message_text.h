#pragma once

#include <QString>
#include <string>

// A message's text between the windows and the inbox or the wire. Stored and
// sent messages break their lines with CR LF, as the service's line format
// decodes a line break and as every other client writes them; the windows
// edit and show them with plain line feeds.
namespace murmex {

std::string ToMessageText(const QString& edited);
QString FromMessageText(const std::string& stored);

} // namespace murmex
