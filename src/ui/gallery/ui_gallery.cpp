// Shows every common window part at once, for looking at them (and for
// screenshots): a wizard, a tab sheet, a message box and a captioned dialog
// with a link and the waiting animation. Not installed.
//
//   murmex_ui_gallery [--quit-after MS] [--clip PATH] [--wizard-page INDEX]

#include "ui/animation.h"
#include "ui/hyper_link.h"
#include "ui/image_button.h"
#include "ui/message_dialog.h"
#include "ui/qt_desktop_shell.h"
#include "ui/skin_pictures.h"
#include "ui/tab_sheet.h"
#include "ui/wizard_page.h"
#include "ui/wizard_sheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace murmex {
namespace {

std::string g_clip = MURMEX_SOURCE_DIR "/resources/logo1.avi";

QLabel* Wrapped(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

class CWelcomePage final : public CWizardPage {
public:
    CWelcomePage() {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(Wrapped(QStringLiteral(
            "Witaj w serwisie Murmex! Kreator poprowadzi Cię przez rejestrację i ustawienia.")));
        layout->addWidget(Wrapped(
            QStringLiteral("Wybierz połączenie, za pomocą którego łączysz się z Internetem.")));
        auto* list = new QListWidget;
        list->addItems({QStringLiteral("Modem TP"), QStringLiteral("Sieć lokalna")});
        list->setCurrentRow(0);
        layout->addWidget(list);
        setFixedSize(380, 220);
    }
    void OnActivate() override { SetWizardButtons(CWizardSheet::kButtonNext); }
};

class CAccountPage final : public CWizardPage {
public:
    CAccountPage() {
        auto* layout = new QFormLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addRow(QStringLiteral("Nick:"), new QLineEdit(QStringLiteral("zenek")));
        layout->addRow(QStringLiteral("E-mail:"),
                       new QLineEdit(QStringLiteral("zenek@example.pl")));
        auto* password = new QLineEdit(QStringLiteral("sekret"));
        password->setEchoMode(QLineEdit::Password);
        layout->addRow(QStringLiteral("Hasło:"), password);
        layout->addRow(new QCheckBox(QStringLiteral("Zapamiętaj hasło")));
        m_animation = new CAnimation;
        m_animation->Open(g_clip);
        layout->addRow(QStringLiteral("Czekam:"), m_animation);
    }
    void OnActivate() override {
        SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
        m_animation->Play();
    }

private:
    CAnimation* m_animation;
};

class CFinalPage final : public CWizardPage {
public:
    CFinalPage() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Wrapped(QStringLiteral(
            "Kreator zebrał już wszystkie informacje, które potrzebował. Dziękujemy!")));
        layout->addStretch();
    }
    void OnActivate() override {
        SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonFinish);
    }
};

class CBasicTab final : public CSheetPage {
public:
    CBasicTab() {
        auto* layout = new QFormLayout(this);
        layout->addRow(QStringLiteral("Twój QID:"), new QLabel(QStringLiteral("1234567")));
        layout->addRow(QStringLiteral("Nick:"), new QLabel(QStringLiteral("zenek")));
        layout->addRow(QStringLiteral("Stare hasło:"), new QLineEdit);
        layout->addRow(QStringLiteral("Nowe hasło:"), new QLineEdit);
        layout->addRow(new QCheckBox(QStringLiteral("Zapamiętaj hasło na tym komputerze")));
        setFixedSize(340, 190);
    }
};

class CDetailsTab final : public CSheetPage {
public:
    CDetailsTab() {
        auto* layout = new QFormLayout(this);
        layout->addRow(QStringLiteral("Imię:"), new QLineEdit(QStringLiteral("Zenon")));
        layout->addRow(QStringLiteral("Data urodzenia:"), new QDateEdit);
        auto* sex = new QComboBox;
        sex->addItems({QStringLiteral("Kobieta"), QStringLiteral("Mężczyzna")});
        layout->addRow(QStringLiteral("Płeć:"), sex);
    }
};

class CPrintingShell final : public IDesktopShell {
public:
    bool OpenDocument(const std::string& pathOrUrl) override {
        std::printf("open %s\n", pathOrUrl.c_str());
        return true;
    }
};

} // namespace
} // namespace murmex

int main(int argc, char** argv) {
    using namespace murmex;
    QApplication app(argc, argv);
    int quitAfter = 0;
    int wizardPage = 1;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--quit-after")
            quitAfter = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--clip")
            g_clip = argv[i + 1];
        if (std::string(argv[i]) == "--wizard-page")
            wizardPage = std::atoi(argv[i + 1]);
    }

    CWizardSheet wizard;
    wizard.AddPage(new CWelcomePage, 101);
    wizard.AddPage(new CAccountPage, 140);
    wizard.AddPage(new CFinalPage, 144);
    wizard.move(20, 20);
    wizard.show();
    wizard.SetActivePage(wizardPage); // by default the page with the animation

    CTabSheet tabs;
    tabs.AddPage(new CBasicTab, 253, QStringLiteral("Podstawowe"));
    tabs.AddPage(new CDetailsTab, 254, QStringLiteral("Szczegolowe"));
    tabs.move(470, 20);
    tabs.show();

    CMessageDialog message(QStringLiteral("Wprowadzone hasła nie są identyczne. Wprowadź jeszcze "
                                          "raz. <b>To nie jest pogrubione.</b>"));
    message.setModal(false);
    message.move(470, 360);
    message.show();

    CPrintingShell shell;
    CSkinDialog bar(nullptr, CSkinDialog::kSkinWideLogo);
    bar.SetCaptionText(QStringLiteral("1234567"));
    bar.AddTitleButton(kPicHideNormal, kPicHideHover, kPicHidePressed);
    auto* layout = new QVBoxLayout(bar.Body());
    layout->addWidget(new CHyperLink(shell, QStringLiteral("www.murmex.example")));
    auto* animation = new CAnimation;
    animation->Open(g_clip);
    layout->addWidget(animation, 0, Qt::AlignRight);
    bar.resize(260, 130);
    bar.move(20, 380);
    bar.show();

    if (quitAfter > 0)
        QTimer::singleShot(quitAfter, &app, &QApplication::quit);
    return app.exec();
}
