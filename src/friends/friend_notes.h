#pragma once

#include "ui/sheet_page.h"

class QPlainTextEdit;

namespace murmex {

class CFriendDetailsDlg;

// "Notatki": the local user's own note about the friend, written into the
// friend's record as it is typed.
class CFriendNotes : public CSheetPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = 367;
    // The stored line keeps at most 1023 bytes of a value, a line break
    // counting twice; a longer note would come back cut.
    static constexpr int kMaxNoteBytes = 1023;

    explicit CFriendNotes(CFriendDetailsDlg& dialog, QWidget* parent = nullptr);

    void OnActivate() override;

    QPlainTextEdit* NoteField() const { return m_note; }
    // How many bytes the note takes in the stored line.
    static int StoredSize(const QString& note);

private:
    void NoteEdited();

    CFriendDetailsDlg& m_dialog;
    QPlainTextEdit* m_note = nullptr;
    bool m_filling = false;
};

} // namespace murmex
