#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace murmex::test {

// Answers the modal dialogs of type T that come up while it lives, from
// inside their own loops, as the user's click would: each dialog once, and at
// most `times` of them (0: no limit). Every modal a test provokes must be
// answered, or the test would wait for ever.
template <class T> class CModalAnswer {
public:
    explicit CModalAnswer(std::function<void(T*)> answer, int times = 0)
        : m_answer(std::move(answer)), m_times(times) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Check(); });
        m_timer.start();
    }
    CModalAnswer(const CModalAnswer&) = delete;
    CModalAnswer& operator=(const CModalAnswer&) = delete;

    int Count() const { return m_count; }

private:
    void Check() {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        // One answer per dialog: the next tick may still see it closing. A
        // guarded pointer, since the next dialog may take the same address.
        if (!dialog || dialog == m_last.data())
            return;
        m_last = dialog;
        ++m_count;
        if (m_times > 0 && m_count >= m_times)
            m_timer.stop();
        m_answer(dialog);
    }

    std::function<void(T*)> m_answer;
    int m_times;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_count = 0;
};

// Answers the next modal dialog of type T; the watch belongs to `owner`, so
// it ends with the test.
template <class T> void AnswerNextModal(QObject* owner, std::function<void(T*)> answer) {
    struct CKeeper final : QObject {
        CKeeper(QObject* parent, std::function<void(T*)> answerOnce)
            : QObject(parent), once(
                                   [this, answerOnce](T* dialog) {
                                       // Goes once this answer is over, however
                                       // deep the loops it starts.
                                       deleteLater();
                                       answerOnce(dialog);
                                   },
                                   1) {}
        CModalAnswer<T> once;
    };
    new CKeeper(owner, std::move(answer));
}

} // namespace murmex::test
