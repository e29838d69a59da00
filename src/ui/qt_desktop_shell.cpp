#include "ui/qt_desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace murmex {
namespace {

bool HasControlCharacters(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}

bool IsOwnDocumentType(const QFileInfo& file) {
    const QString suffix = file.suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm") ||
           suffix == QLatin1String("txt");
}

} // namespace

CQtDesktopShell::CQtDesktopShell(std::vector<std::string> ownFolders, Opener opener)
    : m_opener(std::move(opener)) {
    if (!m_opener)
        m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    for (const std::string& folder : ownFolders) {
        const QString path = QString::fromStdString(folder.empty() ? std::string(".") : folder);
        QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty())
            continue;
        if (!canonical.endsWith(QLatin1Char('/')))
            canonical += QLatin1Char('/');
        m_ownFolders << canonical;
    }
}

bool CQtDesktopShell::OpenDocument(const std::string& pathOrUrl) {
    const QUrl url = Resolve(pathOrUrl);
    return url.isValid() && m_opener(url);
}

QUrl CQtDesktopShell::Resolve(const std::string& pathOrUrl) const {
    if (pathOrUrl.empty() || HasControlCharacters(pathOrUrl))
        return {};
    const QString text = QString::fromStdString(pathOrUrl);

    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch match = scheme.match(text);
    if (!match.hasMatch())
        return ResolveFile(text);

    const QString name = match.captured(1).toLower();
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    if (name == QLatin1String("http") || name == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    if (name == QLatin1String("mailto"))
        return url.path().isEmpty() ? QUrl() : url;
    if (name == QLatin1String("file") && url.host().isEmpty())
        return ResolveFile(url.toLocalFile());
    return {};
}

QUrl CQtDesktopShell::ResolveFile(const QString& path) const {
    // The canonical path: no "..", no symbolic link leads out of our folders.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    const QFileInfo file(canonical);
    if (!file.isFile() || !IsOwnDocumentType(file))
        return {};
    for (const QString& folder : m_ownFolders) {
        if (canonical.startsWith(folder))
            return QUrl::fromLocalFile(canonical);
    }
    return {};
}

} // namespace murmex
