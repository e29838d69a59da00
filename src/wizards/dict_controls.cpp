#include "wizards/dict_controls.h"

#include "storage/dictionaries.h"
#include "ui/local_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <algorithm>

namespace murmex {

void FillDictCombo(QComboBox* combo, int dictionary) {
    combo->clear();
    const int count = DictCount(dictionary);
    for (int i = 0; i < count; ++i)
        combo->addItem(FromLocal(DictTextAt(dictionary, i)), DictKeyAt(dictionary, i));
    combo->setCurrentIndex(-1);
}

int SelectedKey(const QComboBox* combo) {
    if (combo->currentIndex() < 0)
        return -1;
    return combo->currentData().toInt();
}

void SelectKey(QComboBox* combo, int key) {
    combo->setCurrentIndex(combo->findData(key));
}

CDictCheckBoxes::CDictCheckBoxes(int dictionary, int limit, int columns, QWidget* parent)
    : QWidget(parent), m_dictionary(dictionary), m_limit(limit), m_columns(columns) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
}

void CDictCheckBoxes::Build() {
    if (m_built)
        return;
    m_built = true;
    auto* grid = static_cast<QGridLayout*>(layout());
    const int count = std::min(DictCount(m_dictionary), m_limit);
    for (int i = 0; i < count; ++i) {
        auto* box = new QCheckBox(FromLocal(DictTextAt(m_dictionary, i)));
        grid->addWidget(box, i / m_columns, i % m_columns);
        connect(box, &QCheckBox::clicked, this, &CDictCheckBoxes::Clicked);
        m_boxes.push_back(box);
        m_keys.push_back(DictKeyAt(m_dictionary, i));
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

QCheckBox* CDictCheckBoxes::Box(int index) const {
    if (index < 0 || index >= BoxCount())
        return nullptr;
    return m_boxes[static_cast<std::size_t>(index)];
}

std::vector<int> CDictCheckBoxes::TickedKeys() const {
    std::vector<int> keys;
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i]->isChecked())
            keys.push_back(m_keys[i]);
    return keys;
}

void CDictCheckBoxes::SetTickedKeys(const std::vector<int>& keys) {
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(std::find(keys.begin(), keys.end(), m_keys[i]) != keys.end());
}

} // namespace murmex
