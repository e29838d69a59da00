#include "wizards/profile_form.h"

#include "model/user_record.h"
#include "storage/dictionaries.h"
#include "ui/local_text.h"
#include "wizards/dict_controls.h"
#include "wizards/wizard_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace murmex {
namespace {

namespace wt = wizard_texts;

constexpr int kLanguageColumns = 3;

void StoreKey(const QComboBox* list, bool keepUnchosen, CUserRecord& user,
              void (CUserRecord::*set)(int)) {
    const int key = SelectedKey(list);
    if (key != -1 || !keepUnchosen)
        (user.*set)(key);
}

} // namespace

CProfileForm::CProfileForm(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    m_citySize = new QComboBox;
    m_job = new QComboBox;
    m_education = new QComboBox;
    form->addRow(FromUtf8(wt::kCitySize), m_citySize);
    form->addRow(FromUtf8(wt::kJob), m_job);
    form->addRow(FromUtf8(wt::kEducation), m_education);
    column->addLayout(form);

    auto* languagesLabel = new QLabel(FromUtf8(wt::kLanguages));
    languagesLabel->setTextFormat(Qt::PlainText);
    column->addWidget(languagesLabel);
    m_languages = new CDictCheckBoxes(DictLanguage, kMaxLanguages, kLanguageColumns);
    column->addWidget(m_languages, 1);

    for (QComboBox* list : {m_citySize, m_job, m_education})
        connect(list, &QComboBox::activated, this, &CProfileForm::Changed);
    connect(m_languages, &CDictCheckBoxes::Clicked, this, &CProfileForm::Changed);
}

void CProfileForm::Changed() {
    if (!m_loading)
        emit Edited();
}

void CProfileForm::FillLists() {
    if (m_languages->IsBuilt())
        return;
    FillDictCombo(m_citySize, DictCitySize);
    FillDictCombo(m_education, DictEducation);
    FillDictCombo(m_job, DictJob);
    m_languages->Build();
}

void CProfileForm::Load(const CUserRecord& user) {
    m_loading = true;
    SelectKey(m_citySize, user.CitySize());
    SelectKey(m_job, user.Job());
    SelectKey(m_education, user.Education());
    m_languages->SetTickedKeys(user.Languages());
    m_loading = false;
}

void CProfileForm::Store(CUserRecord& user, bool keepUnchosen) const {
    StoreKey(m_citySize, keepUnchosen, user, &CUserRecord::SetCitySize);
    StoreKey(m_education, keepUnchosen, user, &CUserRecord::SetEducation);
    StoreKey(m_job, keepUnchosen, user, &CUserRecord::SetJob);
    user.SetLanguages(m_languages->TickedKeys());
}

} // namespace murmex
