// murmex_gallery as a user runs it: every registered window drawn into its
// own PNG, none of them blank, and the windows of the program all there.

#include "support/temp_dir.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <gtest/gtest.h>

namespace murmex {
namespace {

struct SRun {
    int status = -1;
    QString out;
    QString err;
};

SRun RunGallery(const QStringList& args) {
    QProcess process;
    // The program picks the offscreen platform itself when none is given.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MURMEX_GALLERY), args);
    SRun run;
    if (!process.waitForFinished(240000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QStringList Registered() {
    const SRun list = RunGallery({QStringLiteral("--list")});
    EXPECT_EQ(list.status, 0) << list.err.toStdString();
    return list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool HasContent(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixel(x, y) != rgb.pixel(0, 0))
                return true;
    return false;
}

TEST(Gallery, WritesOnePictureWithContentPerRegisteredWindow) {
    const QStringList classes = Registered();
    ASSERT_FALSE(classes.isEmpty());
    EXPECT_EQ(classes.size(), QSet<QString>(classes.begin(), classes.end()).size())
        << "a class registered twice would overwrite its own picture";

    test::CTempDataDir folder;
    const QString out = QString::fromStdString(folder.File("shots"));
    const SRun run = RunGallery({QStringLiteral("--out"), out});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();

    for (const QString& name : classes) {
        const QImage picture(out + QLatin1Char('/') + name + QStringLiteral(".png"));
        ASSERT_FALSE(picture.isNull()) << name.toStdString() << ": no picture";
        EXPECT_GE(picture.width(), 40) << name.toStdString();
        EXPECT_GE(picture.height(), 40) << name.toStdString();
        EXPECT_TRUE(HasContent(picture)) << name.toStdString() << ": blank";
    }
    const QStringList written = QDir(out).entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(written.size(), classes.size()) << "one picture per class, nothing else";
}

TEST(Gallery, EveryWindowOfTheProgramIsRegistered) {
    const QStringList classes = Registered();
    // The windows a user meets; a new window belongs in the gallery too.
    for (const char* window : {"CMainBar",
                               "COptionsDialog",
                               "CHotTipDialog",
                               "CSplashWindow",
                               "CPersonalizingWindow",
                               "CPasswordDialog",
                               "CChooseLocalUserDialog",
                               "CDeleteLocalUserDialog",
                               "CAutorunQuestionDialog",
                               "CExitConfirmDialog",
                               "CFeedbackDialog",
                               "CGroupChoiceDialog",
                               "CAddGroupDlg",
                               "CFriendOnlineDialog",
                               "CNewFriendDialog",
                               "CVanishedFriendDialog",
                               "CMessageDialog",
                               "CQuestionDialog",
                               "CSkinDialog",
                               "CRegWizWelcome",
                               "CRegWizFinal",
                               "CAddUserWizStep1",
                               "CEditUserWizStep1",
                               "CEditUserWizStep4"})
        EXPECT_TRUE(classes.contains(QString::fromLatin1(window))) << window;
}

TEST(Gallery, RefusesAnUnknownArgument) {
    EXPECT_EQ(RunGallery({QStringLiteral("--bogus")}).status, 2);
}

} // namespace
} // namespace murmex
