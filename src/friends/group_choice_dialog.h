#pragma once

#include "ui/skin_dialog.h"

#include <vector>

class QComboBox;
class QPushButton;

namespace murmex {

struct SChoice;

// Which of the current user's groups a new friend goes into.
class CGroupChoiceDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 236;

    // The groups as the data manager lists them (GroupsChoice): names in
    // Windows-1250, group ids.
    explicit CGroupChoiceDialog(const std::vector<SChoice>& groups, QWidget* parent = nullptr);

    // After OK: the selected group's id, or -1 when none was selected.
    int ChosenGroup() const { return m_chosen; }

    QComboBox* Groups() const { return m_groups; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QComboBox* m_groups = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_chosen = -1;
};

} // namespace murmex
