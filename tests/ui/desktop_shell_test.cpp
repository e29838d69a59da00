#include "support/fakes.h"
#include "support/temp_dir.h"
#include "ui/hyper_link.h"
#include "ui/qt_desktop_shell.h"

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CFakeShell;

class DesktopShell : public ::testing::Test {
protected:
    DesktopShell()
        : m_shell({m_own.Path()}, [this](const QUrl& url) {
              m_opened.push_back(url);
              return m_openerAnswer;
          }) {}

    bool Opens(const std::string& target) {
        const std::size_t before = m_opened.size();
        const bool result = m_shell.OpenDocument(target);
        EXPECT_EQ(m_opened.size() - before, result ? 1u : 0u) << target;
        return result;
    }

    test::CTempDataDir m_own;
    test::CTempDataDir m_elsewhere;
    std::vector<QUrl> m_opened;
    bool m_openerAnswer = true;
    CQtDesktopShell m_shell;
};

TEST_F(DesktopShell, WebAndMailAddressesGoToTheDesktop) {
    EXPECT_TRUE(Opens("http://www.murmex.example/kanal?id=5"));
    EXPECT_TRUE(Opens("HTTPS://murmex.example/"));
    EXPECT_TRUE(Opens("mailto:pomoc@murmex.example"));
    ASSERT_EQ(m_opened.size(), 3u);
    EXPECT_EQ(m_opened[0].toString(), QStringLiteral("http://www.murmex.example/kanal?id=5"));

    // What the desktop answers is what the caller gets.
    m_openerAnswer = false;
    EXPECT_FALSE(m_shell.OpenDocument("http://murmex.example/"));
}

TEST_F(DesktopShell, OtherAddressesFromTheNetworkAreRefused) {
    for (const char* target :
         {"javascript:alert(1)", "file:///etc/passwd", "ftp://murmex.example/x", "smb://host/share",
          "data:text/html,<script>", "http://", "http:///path", "mailto:", "http://a b.pl/",
          "http://murmex.example/\n", "", "vbscript:x", "file://remote/share/a.html",
          "\x1b]8;;http://x"}) {
        EXPECT_FALSE(Opens(target)) << target;
    }
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(DesktopShell, OnlyTheProgramsOwnPagesAndTexts) {
    m_own.WriteFile("chat.html", "<html></html>");
    m_own.WriteFile("billing.txt", "raport");
    m_own.WriteFile("run.sh", "#!/bin/sh\n");
    m_own.WriteFile("murmex.cfg", "[Options]\r\n");
    m_elsewhere.WriteFile("page.html", "<html></html>");
    std::filesystem::create_directory(m_own.File("folder.html"));
    std::filesystem::create_symlink(m_elsewhere.File("page.html"), m_own.File("link.html"));
    std::filesystem::create_symlink(m_own.File("run.sh"), m_own.File("disguised.html"));

    EXPECT_TRUE(Opens(m_own.File("chat.html")));
    EXPECT_EQ(m_opened.back(),
              QUrl::fromLocalFile(QString::fromStdString(m_own.File("chat.html"))));
    EXPECT_TRUE(Opens(m_own.File("billing.txt")));
    EXPECT_TRUE(Opens("file://" + m_own.File("chat.html")));

    EXPECT_FALSE(Opens(m_own.File("run.sh")));
    EXPECT_FALSE(Opens(m_own.File("murmex.cfg")));
    EXPECT_FALSE(Opens(m_own.File("missing.html")));
    EXPECT_FALSE(Opens(m_own.File("folder.html")));
    EXPECT_FALSE(Opens(m_elsewhere.File("page.html")));
    EXPECT_FALSE(Opens(m_own.File("link.html")));      // leads out of our folder
    EXPECT_FALSE(Opens(m_own.File("disguised.html"))); // leads to a script
    // Up and out through "..".
    const std::string escape =
        m_own.Path() + "../" +
        std::filesystem::path(m_elsewhere.Path()).parent_path().filename().string() + "/page.html";
    EXPECT_FALSE(Opens(escape));
}

TEST(HyperLink, ClickOpensHttpAndTheText) {
    CFakeShell shell;
    QWidget host;
    host.resize(300, 100);
    auto* link = new CHyperLink(shell, QStringLiteral("www.murmex.example"), &host);
    link->setGeometry(10, 10, 200, 30);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QSignalSpy opened(link, &CHyperLink::Opened);

    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_EQ(shell.Opened().size(), 1u);
    EXPECT_EQ(shell.Opened()[0], "http://www.murmex.example");
    EXPECT_EQ(opened.count(), 1);

    // Pressed, then let go elsewhere; or another button: nothing opens.
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(250, 60));
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_EQ(shell.Opened().size(), 1u);

    link->SetText(QStringLiteral("murmex.example/ąę"));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_EQ(shell.Opened().size(), 2u);
    EXPECT_EQ(shell.Opened()[1], "http://murmex.example/ąę");
}

TEST(HyperLink, DrawnUnderlinedInBlue) {
    CFakeShell shell;
    CHyperLink link(shell, QStringLiteral("www.murmex.example"));
    link.resize(link.sizeHint());
    const QImage image = link.grab().toImage();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
    }
    EXPECT_GT(blue, 50);
    // Nothing above or left of (5, 5).
    for (int x = 0; x < image.width(); ++x)
        ASSERT_NE(image.pixel(x, 2), qRgb(0, 0, 255));
}

} // namespace
} // namespace murmex
