#pragma once

#include <QAbstractListModel>
#include <string>
#include <unordered_map>

namespace murmex {

class CDataManager;

// The inbox as list lines, newest first. A line is made when the view shows
// it, so a long history opens as fast as a short one; each row's UserRole is
// the entry's position in the inbox.
//
// The inbox only grows at its end while a list is open, so the positions the
// model took at Reload stay valid; newer entries appear at the next Reload.
class CMessageListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit CMessageListModel(CDataManager& data, QObject* parent = nullptr);

    // Takes the inbox as it is now. The correspondents' nicks are looked up
    // here, once per person, so that drawing a line never waits for the service.
    void Reload();
    // Draws a row again (its entry changed, e.g. it was read).
    void RewriteRow(int row);

    int MessageIndex(int row) const { return m_count - 1 - row; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    CDataManager& m_data;
    int m_count = 0;
    std::unordered_map<int, std::string> m_nicks; // QID -> nick (Windows-1250)
};

} // namespace murmex
