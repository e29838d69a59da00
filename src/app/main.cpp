// murmex: the desktop program.
//
//   murmex [/autorun]
//
// /autorun (as the autostart entry passes it) starts with only the tray icon.
// MURMEX_HOME picks the data folder; MURMEX_PORT the service port (default 4678).
#include "session/tray_icon_picture.h"
#include "shell/murmex_app.h"
#include "shell/tray_pictures.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Murmex"));
    // Lets the desktop match the windows with murmex.desktop and its icon.
    QApplication::setDesktopFileName(QStringLiteral("murmex"));
    QApplication::setWindowIcon(murmex::TrayPicture(murmex::kTrayOnline));

    // QApplication has taken its own options out of argv by now.
    murmex::CMurmexApp app;
    return app.Run(argc, argv);
}
