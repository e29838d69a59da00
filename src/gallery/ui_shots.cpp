// The common window parts: the program's message box and a bare skinned
// dialog with a link and the waiting animation.

#include "gallery/gallery_book.h"
#include "session/app_context.h"
#include "ui/animation.h"
#include "ui/hyper_link.h"
#include "ui/message_dialog.h"
#include "ui/question_dialog.h"
#include "ui/skin_dialog.h"
#include "ui/skin_pictures.h"

#include <QLabel>
#include <QVBoxLayout>

namespace murmex {

void AddUiShots(CGalleryBook& book) {
    book.Add("CMessageDialog", [](CGalleryWorld&) {
        // Markup in a message stays text: the bold tags must show as typed.
        return std::make_unique<CMessageDialog>(
            QStringLiteral("Wprowadzone hasła nie są identyczne. Wprowadź jeszcze raz. "
                           "<b>To nie jest pogrubione.</b>"));
    });
    book.Add("CQuestionDialog", [](CGalleryWorld&) {
        return std::make_unique<CQuestionDialog>(
            QStringLiteral("Czy na pewno usunąć użytkownika Łucja Wąsowska z tego komputera? "
                           "Jego znajomi i wiadomości zapisane na tym komputerze przepadną."));
    });
    book.Add("CSkinDialog", [](CGalleryWorld& world) {
        auto dialog = std::make_unique<CSkinDialog>(nullptr, CSkinDialog::kSkinWideLogo);
        dialog->setWindowTitle(QStringLiteral("Murmex"));
        dialog->SetCaptionText(QStringLiteral("1234567"));
        dialog->AddTitleButton(kPicHideNormal, kPicHideHover, kPicHidePressed);
        auto* layout = new QVBoxLayout(dialog->Body());
        auto* text = new QLabel(QStringLiteral("Łączę z serwerem…"));
        text->setTextFormat(Qt::PlainText);
        layout->addWidget(text);
        layout->addWidget(new CHyperLink(world.Context().shell, QStringLiteral("www.murmex.pl")));
        auto* animation = new CAnimation;
        animation->Open(world.Resource("logo1.avi"));
        animation->Play();
        layout->addWidget(animation, 0, Qt::AlignRight);
        dialog->resize(260, 130);
        return dialog;
    });
}

} // namespace murmex
