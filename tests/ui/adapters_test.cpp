// The GUI side of the core's interfaces: the wait loop, the message box and
// the Windows-1250 crossing.
#include "protocol/request_engine.h"
#include "support/fake_peer.h"
#include "ui/local_text.h"
#include "ui/message_dialog.h"
#include "ui/qt_message_box.h"
#include "ui/qt_wait_loop.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace murmex {
namespace {

using test::WaitFor;

TEST(QtWaitLoop, WokenFromAnotherThreadWhileWindowsKeepWorking) {
    CQtWaitLoop loop;
    std::atomic<bool> done{false};
    std::atomic<bool> timerRan{false};
    // The windows' own events go on while we wait.
    QTimer::singleShot(0, [&] { timerRan = true; });
    std::thread worker([&] {
        // Only once the UI thread is inside the wait.
        while (!timerRan)
            std::this_thread::yield();
        done = true;
        loop.Wake();
    });
    loop.RunUntilDone([&] { return done.load(); });
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(loop.Depth(), 0);
}

TEST(QtWaitLoop, AlreadyDoneReturnsAtOnce) {
    CQtWaitLoop loop;
    loop.Wake(); // a stray wake changes nothing
    loop.RunUntilDone([] { return true; });
    EXPECT_EQ(loop.Depth(), 0);
    QCoreApplication::processEvents();
}

TEST(QtWaitLoop, NestedWaitsEachEndOnTheirOwnJob) {
    CQtWaitLoop loop;
    std::atomic<bool> outerDone{false};
    std::atomic<bool> innerDone{false};
    std::vector<std::string> order;
    std::thread innerWorker;

    // A window opened during the outer wait starts its own wait. The outer
    // job ends first; the inner wait must go on until its own job ends, and
    // the outer wait returns after it.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            outerDone = true;
            loop.Wake();
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(loop.Depth(), 2); // the outer job's end did not end the inner wait
                innerWorker = std::thread([&] {
                    innerDone = true;
                    loop.Wake();
                });
            });
        });
        EXPECT_EQ(loop.Depth(), 1);
        loop.RunUntilDone([&] { return innerDone.load(); });
        order.push_back(innerDone ? "inner done" : "inner early");
    });
    loop.RunUntilDone([&] { return outerDone.load(); });
    order.push_back("outer");
    innerWorker.join();
    EXPECT_EQ(order, (std::vector<std::string>{"inner done", "outer"}));
    EXPECT_EQ(loop.Depth(), 0);
}

TEST(QtWaitLoop, ManyWakesFromManyThreads) {
    CQtWaitLoop loop;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 8; ++i) {
        workers.emplace_back([&] {
            for (int j = 0; j < 50; ++j)
                loop.Wake();
            ++finished;
            loop.Wake();
        });
    }
    loop.RunUntilDone([&] { return finished == 8; });
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(finished, 8);
}

TEST(QtWaitLoop, CarriesTheEnginesCommandsFromTheUiThread) {
    test::CFakePeer peer;
    SEngineSettings settings;
    settings.port = peer.Port();
    CRequestEngine engine(settings);
    engine.SetAddressSource([] { return std::string("127.0.0.1"); });
    CQtWaitLoop loop;
    engine.SetHostWindow(&loop);
    engine.SetUiThread(std::this_thread::get_id());

    peer.Reply("2000 \r\n");
    ASSERT_TRUE(engine.Connect());
    // The answer arrives in pieces, so the worker is still busy when the
    // UI thread starts waiting.
    peer.Script({{"20", "00 chan", "id=\"9\" ", "\r\n"}, false, false});
    CParamRecord record;
    record.AddText("name", "kanal");
    ASSERT_TRUE(engine.ExecuteCommand(CMD_FIND_CHANNEL, &record));
    EXPECT_EQ(record.Get("chanid"), "9");

    peer.Reply("4001 \r\n");
    CParamRecord refused;
    refused.AddText("name", "kanal");
    EXPECT_FALSE(engine.ExecuteCommand(CMD_FIND_CHANNEL, &refused));
    EXPECT_EQ(loop.Depth(), 0);
}

class QtMessageBox : public ::testing::Test {
protected:
    struct SShown {
        QString text;
        QWidget* owner;
        bool onUiThread;
    };

    void SetUp() override {
        m_box.SetPresenter([this](QWidget* owner, const QString& text) {
            m_shown.push_back({text, owner, QThread::currentThread() == qApp->thread()});
        });
    }

    CQtMessageBox m_box;
    std::vector<SShown> m_shown;
};

TEST_F(QtMessageBox, FromAWorkerShownOnTheUiThreadBeforeTheCallReturns) {
    QWidget owner;
    m_box.SetOwner(&owner);
    std::atomic<bool> returned{false};
    std::size_t shownWhenReturned = 0;
    std::thread worker([&] {
        m_box.ShowMessage("Nie mogę wysłać wiadomości!");
        shownWhenReturned = m_shown.size();
        returned = true;
    });
    ASSERT_TRUE(WaitFor([&] { return returned.load(); }));
    worker.join();
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(shownWhenReturned, 1u);
    EXPECT_TRUE(m_shown[0].onUiThread);
    EXPECT_EQ(m_shown[0].owner, &owner);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Nie mogę wysłać wiadomości!"));
}

TEST_F(QtMessageBox, OnTheUiThreadShownDirectly) {
    m_box.ShowMessage("Nie mogę zapisać zmian w serwisie Murmex.");
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].owner, nullptr);
}

TEST_F(QtMessageBox, ShutdownReleasesAWaitingWorkerAndShowsNothing) {
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        m_box.ShowMessage("late");
        returned = true;
    });
    // The UI thread does not come back to its events: it is shutting down
    // and about to join the worker.
    QDeadlineTimer bound(10000);
    while (m_box.Waiting() == 0 && !bound.hasExpired())
        std::this_thread::yield();
    ASSERT_EQ(m_box.Waiting(), 1);
    m_box.StopForShutdown();
    worker.join();
    EXPECT_TRUE(returned);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_shown.empty());

    std::thread later([&] { m_box.ShowMessage("later still"); });
    later.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_shown.empty());
}

TEST(MessageDialog, WorkerWaitsForTheRealBoxAndItAlwaysAnswersOk) {
    CQtMessageBox box;
    std::atomic<bool> returned{false};
    QString seen;
    QTimer closer;
    // Close the box the way a user would: Escape, which still answers OK.
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CMessageDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = dialog->Text();
        EXPECT_FALSE(returned);
        EXPECT_EQ(dialog->OkButton()->text(), QStringLiteral("OK"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    });
    closer.start(1);
    std::thread worker([&] {
        box.ShowMessage("<b>Zmiana hasła powiodła się.</b>");
        returned = true;
    });
    ASSERT_TRUE(WaitFor([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(seen, QStringLiteral("<b>Zmiana hasła powiodła się.</b>"));
}

TEST(MessageDialog, ServerTextIsNeverMarkup) {
    CMessageDialog dialog(QStringLiteral("<img src=x> & <b>bold</b>"));
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.Text(), QStringLiteral("<img src=x> & <b>bold</b>"));
}

TEST(LocalText, CrossesBetweenWindows1250AndTheWidgets) {
    const std::string local("Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1", 17);
    EXPECT_EQ(FromLocal(local), QStringLiteral("Zażółć gęślą jaźń"));
    EXPECT_EQ(ToLocal(QStringLiteral("Zażółć gęślą jaźń")), local);
    EXPECT_EQ(ToLocal(QStringLiteral("€ ok")), "\x80 ok");
    EXPECT_EQ(ToLocal(QStringLiteral("日本")).find_first_not_of('?'), std::string::npos);
}

} // namespace
} // namespace murmex
