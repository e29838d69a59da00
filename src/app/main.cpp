// murmex: the desktop program.
//
//   murmex [/autorun]
//   murmex --version
//
// /autorun (as the autostart entry passes it) starts with only the tray icon.
// MURMEX_HOME picks the data folder; MURMEX_PORT the service port (default 4678).
#include "platform/build_version.h"
#include "session/tray_icon_picture.h"
#include "shell/murmex_app.h"
#include "shell/tray_pictures.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

// Answers --version before Qt starts, so they work without a
// display. True when the program should stop with `status`.
bool AnswerInformationOption(int argc, char** argv, int& status) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("murmex %s\n", murmex::kMurmexVersion);
            status = 0;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (int status = 0; AnswerInformationOption(argc, argv, status))
        return status;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Murmex"));
    QApplication::setApplicationVersion(QString::fromUtf8(murmex::kMurmexVersion));
    // Lets the desktop match the windows with murmex.desktop and its icon.
    QApplication::setDesktopFileName(QStringLiteral("murmex"));
    QApplication::setWindowIcon(murmex::TrayPicture(murmex::kTrayOnline));

    // QApplication has taken its own options out of argv by now.
    murmex::CMurmexApp app;
    return app.Run(argc, argv);
}
