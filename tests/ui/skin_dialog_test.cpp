#include "ui/image_button.h"
#include "ui/skin_dialog.h"
#include "ui/skin_pictures.h"
#include "ui_test_support.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::WaitFor;

// Shown, as the strip is laid out when the window gets its size.
void ShowSized(QWidget& window, int width, int height) {
    window.resize(width, height);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

TEST(SkinDialog, TitleStripFollowsTheWidth) {
    CSkinDialog dialog;
    ShowSized(dialog, 300, 200);
    EXPECT_EQ(dialog.LogoBoxRect(), QRect(0, 0, 50, 19));
    EXPECT_EQ(dialog.CloseButton()->geometry(), QRect(279, 0, 21, 19));
    EXPECT_EQ(dialog.CaptionBoxRect(), QRect(50, 0, 229, 19));

    dialog.resize(520, 200);
    EXPECT_EQ(dialog.LogoBoxRect(), QRect(0, 0, 50, 19));
    EXPECT_EQ(dialog.CloseButton()->geometry(), QRect(499, 0, 21, 19));
    EXPECT_EQ(dialog.CaptionBoxRect(), QRect(50, 0, 449, 19));
}

TEST(SkinDialog, WideLogoExtraButtonsAndNoCloseButton) {
    CSkinDialog wide(nullptr, CSkinDialog::kSkinWideLogo);
    CImageButton* hide = wide.AddTitleButton(kPicHideNormal, kPicHideHover, kPicHidePressed);
    ShowSized(wide, 200, 400);
    EXPECT_EQ(wide.LogoBoxRect(), QRect(0, 0, 100, 19));
    EXPECT_EQ(hide->geometry(), QRect(158, 0, 21, 19));
    EXPECT_EQ(wide.CloseButton()->geometry(), QRect(179, 0, 21, 19));
    EXPECT_EQ(wide.CaptionBoxRect(), QRect(100, 0, 58, 19));

    CSkinDialog bare(nullptr, CSkinDialog::kSkinNoCloseButton);
    ShowSized(bare, 240, 100);
    EXPECT_EQ(bare.CloseButton(), nullptr);
    EXPECT_EQ(bare.CaptionBoxRect(), QRect(50, 0, 190, 19));
}

TEST(SkinDialog, CaptionTextIsDrawnInWhiteOnBlack) {
    CSkinDialog dialog;
    ShowSized(dialog, 300, 100);
    const QRect textArea(55, 3, 60, 13); // where (5, 3) of the caption box puts the text
    auto whitePixels = [&] {
        const QImage image = dialog.grab(textArea).toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) > 200;
        }
        return count;
    };
    EXPECT_EQ(whitePixels(), 0);
    dialog.SetCaptionText(QStringLiteral("1234567"));
    EXPECT_EQ(dialog.CaptionText(), QStringLiteral("1234567"));
    EXPECT_GT(whitePixels(), 10);
}

TEST(SkinDialog, TheCaptionNamesTheWindowUnlessItChoseATitle) {
    // A window with neither is called by the program's name once shown.
    CSkinDialog bare;
    ShowSized(bare, 200, 100);
    EXPECT_EQ(bare.windowTitle(), QStringLiteral("Murmex"));

    // The caption is the title, and stays so as it changes.
    CSkinDialog captioned;
    captioned.SetCaptionText(QStringLiteral("Szukaj znajomego"));
    ShowSized(captioned, 200, 100);
    EXPECT_EQ(captioned.windowTitle(), QStringLiteral("Szukaj znajomego"));
    captioned.SetCaptionText(QStringLiteral("Wyniki"));
    EXPECT_EQ(captioned.windowTitle(), QStringLiteral("Wyniki"));

    // A title of its own (the main bar's, over the user's number) is kept.
    CSkinDialog titled;
    titled.setWindowTitle(QStringLiteral("Murmex"));
    titled.SetCaptionText(QStringLiteral("1234567"));
    ShowSized(titled, 200, 100);
    EXPECT_EQ(titled.windowTitle(), QStringLiteral("Murmex"));
    EXPECT_EQ(titled.CaptionText(), QStringLiteral("1234567"));
}

TEST(SkinDialog, DraggingTheCaptionMovesTheWindow) {
    CSkinDialog dialog;
    dialog.resize(300, 150);
    dialog.move(100, 100);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.pos();
    QWidget* caption = dialog.childAt(80, 8);
    ASSERT_NE(caption, nullptr);

    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(30, 8));
    QTest::mouseMove(caption, QPoint(55, 28));
    EXPECT_EQ(dialog.pos(), start + QPoint(25, 20));
    QTest::mouseRelease(caption, Qt::LeftButton, {}, caption->mapFromGlobal(QCursor::pos()));
    // Released: the pointer moving on no longer carries the window.
    const QPoint dropped = dialog.pos();
    QTest::mouseMove(caption, QPoint(5, 5));
    EXPECT_EQ(dialog.pos(), dropped);

    // The logo box is not a handle.
    QWidget* logo = dialog.childAt(10, 8);
    QTest::mousePress(logo, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseMove(logo, QPoint(40, 40));
    QTest::mouseRelease(logo, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(dialog.pos(), dropped);
}

TEST(SkinDialog, CloseButtonPostsTheCloseRequest) {
    CSkinDialog dialog;
    dialog.resize(200, 100);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton, {}, QPoint(10, 9));
    // Posted, not called: the click's own handler returns first.
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(WaitFor([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(SkinPictures, DrawnForTheScreensPixelRatio) {
    const QPixmap normal = SkinPicture(kPicLogo, 1.0);
    const QPixmap doubled = SkinPicture(kPicLogo, 2.0);
    EXPECT_EQ(normal.size(), QSize(50, 19));
    EXPECT_EQ(doubled.size(), QSize(100, 38));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(SkinPicture(kPicLogoWide, 1.0).size(), QSize(100, 19));
    for (int picture : {kPicCloseNormal, kPicCloseHover, kPicClosePressed})
        EXPECT_EQ(SkinPicture(picture, 2.0).deviceIndependentSize(), QSizeF(21, 19));
    // The three close pictures must tell the states apart.
    const QImage idle = SkinPicture(kPicCloseNormal, 1).toImage();
    const QImage hover = SkinPicture(kPicCloseHover, 1).toImage();
    const QImage pressed = SkinPicture(kPicClosePressed, 1).toImage();
    EXPECT_NE(idle, hover);
    EXPECT_NE(hover, pressed);
    EXPECT_TRUE(SkinPicture(4242, 1.0).isNull());
}

// The button as the user meets it: press, move, release.
class ImageButton : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.resize(200, 100);
        m_button = new CImageButton(kPicCloseNormal, kPicCloseHover, kPicClosePressed, &m_host);
        m_button->setGeometry(50, 40, 21, 19);
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    QWidget m_host;
    CImageButton* m_button = nullptr;
};

TEST_F(ImageButton, ReleaseInsidePostsOnce) {
    QSignalSpy clicked(m_button, &CImageButton::clicked);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Pressed);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(11, 9));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_NE(m_button->State(), CImageButton::EState::Pressed);
}

TEST_F(ImageButton, ReleaseOutsidePostsNothing) {
    QSignalSpy clicked(m_button, &CImageButton::clicked);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(m_button, QPoint(-30, 10));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Normal);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(-30, 10));
    EXPECT_EQ(clicked.count(), 0);

    // Back over it with the button still held shows it pressed again.
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(m_button, QPoint(40, 10));
    QTest::mouseMove(m_button, QPoint(5, 5));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Pressed);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(ImageButton, HoverFollowsThePointer) {
    QTest::mouseMove(&m_host, QPoint(10, 10));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Normal);
    QTest::mouseMove(m_button, QPoint(10, 10));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Hover);
    QTest::mouseMove(&m_host, QPoint(150, 90));
    EXPECT_EQ(m_button->State(), CImageButton::EState::Normal);
    // The right button does not click it.
    QSignalSpy clicked(m_button, &CImageButton::clicked);
    QTest::mouseClick(m_button, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.count(), 0);
}

} // namespace
} // namespace murmex
