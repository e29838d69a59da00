#pragma once

#include "ui/sheet_page.h"

class QVBoxLayout;

namespace murmex {

class CAnimation;
class CEditUserWizDialog;
class CUserRecord;

// A tab of the account window. It fills its fields from the current user's
// record each time it becomes visible and copies them back when the user
// edits them; a tab that was never shown has nothing to copy.
class CEditUserWizTab : public CSheetPage {
    Q_OBJECT

public:
    static constexpr int kTabWidth = 480;
    static constexpr int kTabHeight = 330;

    explicit CEditUserWizTab(CEditUserWizDialog& dialog, QWidget* parent = nullptr);

    void OnActivate() override;
    // The tab's fields into the record (only once it has been filled).
    void StoreIfLoaded();

    CAnimation* Animation() const { return m_animation; }
    QWidget* Content() const { return m_content; }

protected:
    virtual void Load(const CUserRecord& user) = 0;
    virtual void Store(CUserRecord& user) = 0;

    CEditUserWizDialog& Dialog() const { return m_dialog; }
    QVBoxLayout* Column() const { return m_column; }
    // What an edit of the tab does: the tab into the record, and the account
    // counts as modified.
    void Edited();

private:
    CEditUserWizDialog& m_dialog;
    bool m_loaded = false;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_column = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
