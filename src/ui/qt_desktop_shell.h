#pragma once

#include "ports/ui_interfaces.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

namespace murmex {

// Opens web addresses and the program's own documents with the user's default
// programs. Addresses often come from the network (a channel's page, a
// member's web site), so only http, https and mailto addresses go out, and of
// local files only pages and texts inside the program's own folders (the chat
// page and billing report it wrote, its help); anything else is refused.
class CQtDesktopShell final : public IDesktopShell {
public:
    // Hands a checked address to the desktop; tests replace it.
    using Opener = std::function<bool(const QUrl&)>;

    // `ownFolders`: where the program's documents live (the data directory,
    // the resource directories). The default opener is QDesktopServices.
    explicit CQtDesktopShell(std::vector<std::string> ownFolders, Opener opener = {});

    // UTF-8: a web address, "mailto:", a "file:" address or a file path.
    bool OpenDocument(const std::string& pathOrUrl) override;

    // The address that would be opened; an invalid QUrl when refused.
    QUrl Resolve(const std::string& pathOrUrl) const;

private:
    QUrl ResolveFile(const QString& path) const;

    QStringList m_ownFolders; // canonical, each ending with '/'
    Opener m_opener;
};

} // namespace murmex
