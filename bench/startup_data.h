// The data folder the start-up benchmarks read: one local user with 300
// friends in ten groups, every friend known, and `messages` messages from
// them (one in fifty unread), in the program's own file format.
#pragma once

#include "storage/text_file.h"

#include <string>
#include <vector>

namespace murmex::bench {

constexpr int kFriends = 300;

inline void WriteStartupData(const std::string& dir, int messages) {
    std::vector<std::string> lines = {
        "[Options]", "Server=\"127.0.0.1\"", "InternetConnection=\"LAN\"",
        // A start that asks nothing: straight to the main bar.
        "HotTipDisabled=\"1\"", "autorun_dontask=\"1\"", "RegWizStart=\"0\"", "", "[LocalUsers]",
        "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" "
        "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" "
        "SavePassword=\"1\" Password=\"pw\" ",
        "", "[QID5-Groups]"};
    for (int g = 0; g < 10; ++g) {
        std::string line = "GID=\"" + std::to_string(g + 1) + "\" Name=\"Grupa " +
                           std::to_string(g) + "\" FriendsCount=\"30\" ";
        for (int f = 0; f < 30; ++f)
            line += "F" + std::to_string(f + 1) + "=\"" + std::to_string(100 + g * 30 + f) + "\" ";
        lines.push_back(line);
    }
    lines.push_back("");
    std::string friends = "friends=\"";
    for (int f = 0; f < kFriends; ++f)
        friends += (f ? "," : "") + std::to_string(100 + f);
    lines.insert(lines.end(), {"[QID5-Friends]", friends + "\" ", "", "[QID5-Users]"});
    for (int f = 0; f < kFriends; ++f)
        lines.push_back("QID=\"" + std::to_string(100 + f) + "\" Nick=\"znajomy" +
                        std::to_string(f) +
                        "\" Email=\"z@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
                        "LocalCellPhone=\"\" Display=\"\" Note=\"\" OnEnterSMS=\"0\" "
                        "OnEnterEmail=\"0\" RemoteCellPhonePrefix=\"\" ");
    lines.insert(lines.end(), {"", "[QID5-Messages]"});
    for (int i = 0; i < messages; ++i)
        lines.push_back("msgtext=\"Wiadomo\x9C\xE6 numer " + std::to_string(i) +
                        " z prob\xB9 tekstu\" wasread=\"" + (i % 50 == 0 ? "0" : "1") +
                        "\" sender=\"" + std::to_string(100 + i % kFriends) +
                        "\" whensent=\"1700000000\" type=\"0\" ");
    RewriteTextFile(dir + "murmex.cfg", lines);
}

} // namespace murmex::bench
