#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <functional>

namespace murmex::test {

// Answers the next modal dialog of type T from inside its own loop, as the
// user's click would; the poll belongs to `owner`, so it ends with the test.
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
