#include "ui/wizard_sheet.h"

#include "ui/local_text.h"
#include "ui/question_dialog.h"
#include "ui/texts.h"
#include "ui/wizard_page.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace murmex {
namespace {

constexpr QPoint kPageOrigin(20, 40);
constexpr QSize kExtraSize(40, 100);

} // namespace

void CWizardPage::SetWizardButtons(int mode) {
    if (m_sheet)
        m_sheet->SetButtonMode(mode);
}

CWizardSheet::CWizardSheet(QWidget* parent, int skinFlags)
    : CSheetBase(parent, skinFlags, kPageOrigin, kExtraSize) {
    m_rule = new QWidget(this);
    m_rule->setObjectName(QStringLiteral("rule"));
    m_rule->setAutoFillBackground(true);
    QPalette black = m_rule->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_rule->setPalette(black);

    m_back = MakeButton(kTextWizardBack, kIdBack, this);
    m_next = MakeButton(kTextWizardNext, kIdNext, this);
    m_cancel = MakeButton(kTextCancel, kIdCancel, this);
    m_next->setDefault(true);
    connect(m_back, &QPushButton::clicked, this, &CWizardSheet::Back);
    connect(m_next, &QPushButton::clicked, this, &CWizardSheet::Next);
    connect(m_cancel, &QPushButton::clicked, this, &CWizardSheet::Cancel);
    SetButtonMode(0);
    LayoutControls();
    SetButtonTabOrder({m_back, m_next, m_cancel});
}

CWizardSheet::~CWizardSheet() = default;

void CWizardSheet::AddPage(CWizardPage* page, int resourceId) {
    page->m_sheet = this;
    AdoptPage(page, resourceId);
}

CWizardPage* CWizardSheet::ActivePage() const {
    // Every page came in through AddPage.
    return static_cast<CWizardPage*>(ActiveSheetPage());
}

bool CWizardSheet::SetActivePage(int index) {
    if (index < 0 || index >= PageCount())
        return false;
    SwitchTo(index);
    CWizardPage* page = ActivePage();
    page->show();
    page->raise();
    RunBusy([page] { page->OnActivate(); });
    return true;
}

bool CWizardSheet::SetActivePageById(int resourceId) {
    return SetActivePage(IndexOfResource(resourceId));
}

void CWizardSheet::SetButtonMode(int mode) {
    m_mode = mode;
    const bool finishing = (mode & kButtonFinish) != 0;
    m_back->setEnabled((mode & kButtonBack) != 0);
    m_next->setEnabled(finishing || (mode & kButtonNext) != 0);
    m_next->setText(FromUtf8(finishing ? kTextWizardFinish : kTextWizardNext));
}

void CWizardSheet::Next() {
    CWizardPage* page = ActivePage();
    if (!page || IsBusy())
        return;
    if (IsFinishing()) {
        bool finished = false;
        if (RunBusy([&] { finished = page->OnFinish(); }) && finished)
            done(Accepted);
        return;
    }
    int result = CWizardPage::kStay;
    if (RunBusy([&] { result = page->OnNext(); }))
        Navigate(result, ActiveIndex() + 1);
}

void CWizardSheet::Back() {
    CWizardPage* page = ActivePage();
    if (!page || IsBusy())
        return;
    int result = CWizardPage::kStay;
    if (RunBusy([&] { result = page->OnBack(); }))
        Navigate(result, ActiveIndex() - 1);
}

void CWizardSheet::Navigate(int result, int adjacentIndex) {
    if (result < 0)
        return;
    const int index = result == CWizardPage::kAdjacent ? adjacentIndex : IndexOfResource(result);
    SetActivePage(index); // a page the sheet does not hold leaves us where we are
}

bool CWizardSheet::HoldsTypedText() const {
    // Only what the user typed counts: a field filled by the program is not
    // modified until the user edits it.
    for (const QLineEdit* edit : findChildren<QLineEdit*>())
        if (edit->isModified() && !edit->text().isEmpty() && edit->isVisibleTo(this))
            return true;
    for (const QPlainTextEdit* edit : findChildren<QPlainTextEdit*>())
        if (!edit->isReadOnly() && edit->document()->isModified() && !edit->toPlainText().isEmpty())
            return true;
    return false;
}

void CWizardSheet::Cancel() {
    if (IsBusy())
        return;
    if (HoldsTypedText() && !CQuestionDialog::Ask(this, FromUtf8(kTextDiscardTyped)))
        return;
    done(Rejected);
}

void CWizardSheet::reject() {
    Cancel();
}

void CWizardSheet::LayoutControls() {
    const int w = width();
    const int h = height();
    m_rule->setGeometry(15, h - 50, w - 30, 2);
    m_cancel->setGeometry(w - 90, h - 35, kButtonWidth, kButtonHeight);
    m_next->setGeometry(w - 171, h - 35, kButtonWidth, kButtonHeight);
    m_back->setGeometry(w - 246, h - 35, kButtonWidth, kButtonHeight);
}

} // namespace murmex
