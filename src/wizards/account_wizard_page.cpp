#include "wizards/account_wizard_page.h"

#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/connection_state.h"
#include "session/internet_connection.h"
#include "session/shell_texts.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/side_picture.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace murmex {
namespace {

// How often a wait looks at its condition again.
constexpr int kPollMs = 100;

} // namespace

CAccountWizardPage::CAccountWizardPage(SWizardState& state, QWidget* parent)
    : CWizardPage(parent), m_state(state) {
    setFixedSize(kPageWidth, kPageHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(new CWizardSidePicture);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    m_content = new QWidget;
    m_column = new QVBoxLayout(m_content);
    m_column->setContentsMargins(0, 0, 0, 0);
    right->addWidget(m_content, 1);

    m_animation = new CAnimation;
    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->OpenLogo();
    right->addWidget(m_animation, 0, Qt::AlignRight | Qt::AlignBottom);
    row->addLayout(right, 1);
}

void CAccountWizardPage::ShowMessage(std::string_view textUtf8) const {
    m_state.services.messageBox.ShowMessage(textUtf8);
}

QLabel* CAccountWizardPage::AddTitle(std::string_view textUtf8) {
    QLabel* label = AddText(textUtf8);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* CAccountWizardPage::AddText(std::string_view textUtf8) {
    QLabel* label = dialog_parts::WrappedLabel(textUtf8);
    m_column->addWidget(label);
    return label;
}

void CAccountWizardPage::BeginWait() {
    if (m_waiting++ > 0)
        return;
    m_content->setEnabled(false);
    if (CWizardSheet* sheet = Sheet()) {
        m_backWasEnabled = sheet->BackButton()->isEnabled();
        m_nextWasEnabled = sheet->NextButton()->isEnabled();
        m_cancelWasEnabled = sheet->CancelButton()->isEnabled();
        sheet->BackButton()->setEnabled(false);
        sheet->NextButton()->setEnabled(false);
        sheet->CancelButton()->setEnabled(false);
    }
    m_animation->Play();
}

void CAccountWizardPage::EndWait() {
    if (m_waiting == 0 || --m_waiting > 0)
        return;
    m_animation->Stop();
    m_content->setEnabled(true);
    if (CWizardSheet* sheet = Sheet()) {
        sheet->BackButton()->setEnabled(m_backWasEnabled);
        sheet->NextButton()->setEnabled(m_nextWasEnabled);
        sheet->CancelButton()->setEnabled(m_cancelWasEnabled);
    }
}

bool CAccountWizardPage::WaitUntil(const std::function<bool()>& condition,
                                   std::chrono::milliseconds limit) {
    QDeadlineTimer deadline(static_cast<qint64>(limit.count()));
    QPointer<CAccountWizardPage> self(this);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(kPollMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (!self)
            return false;
    }
    return true;
}

bool CAccountWizardPage::ConnectToService() {
    if (Services().engine.IsConnected() || Services().engine.Connect())
        return true;
    ShowMessage(kTextLoginFailed);
    return false;
}

int CAccountWizardPage::AccountPage() const {
    return m_state.alreadyRegistered ? kPageExistingAccount : kPageNewAccount;
}

bool CAccountWizardPage::DialAndWait() {
    CInternetConnection& connection = Services().connection;
    const CConnectionState& state = Services().connectionState;
    // A dialling still under way from elsewhere is waited for instead of fought.
    connection.StartDialling();
    // The dialler returns quickly or after the call; either way it has no time limit of ours.
    WaitUntil([&connection] { return !connection.IsDialling(); }, std::chrono::hours(1));
    return WaitUntil([&state] { return state.IsConnected(); }, Services().linkWait);
}

} // namespace murmex
