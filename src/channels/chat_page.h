#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// The page that starts the service's chat applet with the user's credentials
// on one channel. Values are Windows-1250, as is the page.
struct SChatPageData {
    std::string nick;
    std::string email;
    std::string password;
    std::string channelName;
    std::string webAddress; // the applet's code base, ending with '/'
    std::string webHost;
};

// Replaces & < > " ' with entities, so that a value can never end its
// attribute or open a tag of its own.
std::string HtmlEscape(std::string_view text);

// The eleven lines of the page, without line ends.
std::vector<std::string> ChatPageLines(const SChatPageData& data);

// Writes the page to chat.html in the data directory (CR LF lines, readable by
// the owner only: it holds the password). False when it cannot be written.
bool WriteChatPage(const SChatPageData& data, std::string& path);

} // namespace murmex
