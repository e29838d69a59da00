#include "channels/chat_page.h"

#include "platform/paths.h"
#include "storage/text_file.h"

namespace murmex {
namespace {

std::string Param(const char* name, const std::string& value) {
    return std::string("<PARAM NAME=\"") + name + "\" VALUE=\"" + HtmlEscape(value) + "\">";
}

} // namespace

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<std::string> ChatPageLines(const SChatPageData& data) {
    return {
        "<HTML><HEAD><TITLE>Murmex</TITLE></HEAD><BODY>",
        "<CENTER>",
        "<APPLET CODE=\"ChatGUI.class\" ARCHIVE=\"klient.jar\" CODEBASE=\"" +
            HtmlEscape(data.webAddress) + "\" width=\"625\" height=\"450\">",
        Param("NICK", data.nick),
        Param("EMAIL", data.email),
        Param("PASS", data.password),
        Param("SERVER", data.webHost),
        Param("CHANNEL", data.channelName),
        "</APPLET>",
        "</CENTER>",
        "</BODY></HTML>",
    };
}

bool WriteChatPage(const SChatPageData& data, std::string& path) {
    path = CPaths::DataFile("chat.html");
    return RewriteTextFile(path, ChatPageLines(data));
}

} // namespace murmex
