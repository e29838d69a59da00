#pragma once

#include "friends/message_windows.h"
#include "friends/tree_world.h"
#include "model/message_record.h"
#include "platform/code_page.h"
#include "protocol/command_codes.h"

#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The tree tests' local user and fake service, with the message windows over them.
namespace murmex::test {

// What the friend tree heard about read messages.
class CReadRecorder final : public IFriendTreeView {
public:
    void TreeAddGroup(int) override {}
    void TreeRemoveGroup(int) override {}
    void TreeAddFriend(int, int) override {}
    void TreeRemoveFriend(int) override {}
    void TreeUpdateFriend(int) override {}
    void TreeClear() override {}
    void TreeFriendHasNewMessage(int qid) override { blinking.push_back(qid); }
    void TreeFriendMessageRead(int qid) override {
        read.push_back(qid);
        std::erase(blinking, qid);
    }
    std::vector<int> blinking;
    std::vector<int> read;
};

class CMessageWorld : public CTreeWorld {
public:
    CMessageWorld()
        : windows(SMessageWindowServices{
              *data,
              engine,
              box,
              clock,
              [this](int qid, int page) { detailsOpened.emplace_back(qid, page); },
              {}}) {
        data->SetTreeView(&tree);
    }
    ~CMessageWorld() { data->SetTreeView(nullptr); }

    // A message from `sender`, stored as the fetch stores one; returns its index.
    int Received(int sender, const std::string& textUtf8, std::int64_t when, bool read = false) {
        CMessageRecord message;
        message.SetContent(Utf8ToWin1250(textUtf8), sender, when);
        message.SetRead(read);
        return data->AddMessage(std::move(message));
    }
    int Sent(int recipient, const std::string& textUtf8, std::int64_t when, int type) {
        CMessageRecord message;
        message.SetContent(Utf8ToWin1250(textUtf8), recipient, when);
        message.SetType(type);
        return data->AddMessage(std::move(message));
    }

    // Connected and logged in on the fake service; its greeting is request 0.
    void LogIn() {
        ASSERT_TRUE(engine.Connect());
        engine.SetLoggedIn(true);
    }
    // The request lines after the greeting, in wire bytes.
    std::vector<std::string> Commands() {
        auto all = peer.Requests();
        if (!all.empty())
            all.erase(all.begin());
        return all;
    }

    CFakeMessageBox box;
    CReadRecorder tree;
    std::vector<std::pair<int, int>> detailsOpened;
    CMessageWindows windows;
};

// The command code a request line starts with.
inline int CodeOf(const std::string& line) {
    return std::atoi(line.c_str());
}
inline bool Holds(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// Answers the next modal dialog of type T, from inside its own loop.
template <class T> void AnswerNextModal(QObject* owner, std::function<void(T*)> answer) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        answer(dialog);
    });
    poll->start(5);
}

} // namespace murmex::test
