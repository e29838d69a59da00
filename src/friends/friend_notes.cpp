#include "friends/friend_notes.h"

#include "friends/friend_details_dlg.h"
#include "friends/friend_details_texts.h"
#include "model/user_record.h"
#include "ui/local_text.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace murmex {

CFriendNotes::CFriendNotes(CFriendDetailsDlg& dialog, QWidget* parent)
    : CSheetPage(parent), m_dialog(dialog) {
    m_note = new QPlainTextEdit;
    auto* label = new QLabel(FromUtf8(kTextNotes));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(m_note);
    m_note->setAccessibleName(FromUtf8(kTextNotes));
    connect(m_note, &QPlainTextEdit::textChanged, this, &CFriendNotes::NoteEdited);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 6);
    column->addWidget(label);
    column->addWidget(m_note, 1);
}

int CFriendNotes::StoredSize(const QString& note) {
    // One byte a character in the files' code page; a line break is stored
    // as a mark that reads back as two.
    return static_cast<int>(note.size() + note.count(QLatin1Char('\n')));
}

void CFriendNotes::OnActivate() {
    m_filling = true;
    m_note->setPlainText(FromLocal(m_dialog.User().Note()));
    m_filling = false;
}

void CFriendNotes::NoteEdited() {
    if (m_filling)
        return;
    QString note = m_note->toPlainText();
    if (StoredSize(note) > kMaxNoteBytes) {
        // Cut where the stored size would pass the limit.
        int size = 0;
        qsizetype keep = 0;
        for (; keep < note.size(); ++keep) {
            size += note[keep] == QLatin1Char('\n') ? 2 : 1;
            if (size > kMaxNoteBytes)
                break;
        }
        note.truncate(keep);
        const QSignalBlocker blocker(m_note);
        m_note->setPlainText(note);
        m_note->moveCursor(QTextCursor::End);
    }
    m_dialog.User().SetNote(ToLocal(note));
}

} // namespace murmex
