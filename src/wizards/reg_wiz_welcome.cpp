#include "wizards/reg_wiz_welcome.h"

#include "session/internet_connection.h"
#include "session/main_bar_texts.h"
#include "storage/options.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/wizard_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace murmex {

namespace wt = wizard_texts;

CRegWizWelcome::CRegWizWelcome(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wt::kWelcomeTitle);
    AddText(wt::kWelcomeIntro);
    Column()->addSpacing(8);
    QLabel* prompt = AddText(wt::kWelcomeChooseConnection);
    m_list = new QListWidget;
    // A list view is named by its own name only, never by a label's buddy.
    m_list->setAccessibleName(prompt->text());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    Column()->addWidget(m_list, 1);
}

void CRegWizWelcome::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonNext);
    const SEntryList entries = Services().connection.FillList();
    m_entries = entries.names;
    m_list->clear();
    for (const std::string& name : m_entries)
        m_list->addItem(FromLocal(name));
    m_list->addItem(FromUtf8(kTextOptLan));
    // Coming back after choosing the local network shows that choice again.
    if (GetOption("InternetConnection") == "LAN")
        m_list->setCurrentRow(m_list->count() - 1);
    else if (entries.selected >= 0)
        m_list->setCurrentRow(entries.selected);
    else
        m_list->setCurrentRow(0); // a newcomer's first "Dalej" goes on
}

int CRegWizWelcome::OnNext() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty()) {
        ShowMessage(wt::kNoConnectionChosen);
        return kStay;
    }
    if (row == m_list->count() - 1) {
        SetOption("InternetConnection", "LAN");
        return kAdjacent;
    }
    SetOption("InternetConnection", "DialUp");
    SetOption("RASEntry", m_entries[static_cast<std::size_t>(row)]);
    // The connection watches the chosen entry from now on, not from the next start.
    Services().connection.Init();
    return kAdjacent;
}

} // namespace murmex
