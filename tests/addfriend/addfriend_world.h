#pragma once

#include "friends/friend_insert_wizard.h"
#include "friends/tree_world.h"
#include "storage/dictionaries.h"
#include "support/modal_answer.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>

// What the add-friend and search tests share: the keys of a request line and
// a small dictionary file (answering modal dialogs: support/modal_answer.h).
namespace murmex::test {

// The entries of a request line, key to value (wire bytes, quotes removed).
inline std::map<std::string, std::string> KeysOf(const std::string& line) {
    std::map<std::string, std::string> keys;
    std::size_t at = line.find(' ');
    while (at != std::string::npos) {
        const std::size_t eq = line.find("=\"", at);
        if (eq == std::string::npos)
            break;
        std::size_t end = eq + 2;
        while (end < line.size() && line[end] != '"')
            end += line[end] == '\\' ? 2 : 1;
        const std::size_t nameStart = line.find_first_not_of(' ', at);
        keys[line.substr(nameStart, eq - nameStart)] = line.substr(eq + 2, end - eq - 2);
        at = end + 1;
    }
    return keys;
}

inline int CodeOf(const std::string& line) {
    return std::atoi(line.c_str());
}

// A dictionary file with a few entries in the sections the search uses.
inline void LoadSampleDictionaries(CTempDataDir& dir) {
    dir.WriteFile("sample-misc.cfg", "[Country]\r\n2=\"Polska\"\r\n3=\"Niemcy\"\r\n"
                                     "[Education]\r\n1=\"podstawowe\"\r\n4=\"wyzsze\"\r\n"
                                     "[Job]\r\n7=\"informatyk\"\r\n"
                                     "[Interestance]\r\n5=\"muzyka\"\r\n"
                                     "[Language]\r\n3=\"angielski\"\r\n9=\"niemiecki\"\r\n");
    LoadDictionariesFrom(dir.File("sample-misc.cfg"));
}

// Drives a wizard page by page as the user would.
inline void ClickNext(CWizardSheet& sheet) {
    sheet.NextButton()->click();
}

} // namespace murmex::test
