#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;

namespace murmex {

// Dictionary lists in the account pages: every item carries its entry's key,
// which is what the account stores.

// Fills the list with the dictionary in its order; nothing is selected.
void FillDictCombo(QComboBox* combo, int dictionary);
// The selected item's key, -1 when nothing is selected.
int SelectedKey(const QComboBox* combo);
// Selects the first item with the key; nothing when no item has it.
void SelectKey(QComboBox* combo, int key);

// Check boxes for the first entries of a dictionary (at most `limit`), each
// labelled with its text and bound to its key, in rows of `columns`. Built
// on the first Build; later calls keep the boxes and their ticks.
class CDictCheckBoxes : public QWidget {
    Q_OBJECT

public:
    CDictCheckBoxes(int dictionary, int limit, int columns, QWidget* parent = nullptr);

    void Build();
    bool IsBuilt() const { return m_built; }
    int BoxCount() const { return static_cast<int>(m_boxes.size()); }
    QCheckBox* Box(int index) const;

    // The keys of the ticked boxes, in box order.
    std::vector<int> TickedKeys() const;
    // Ticks exactly the boxes whose keys are listed.
    void SetTickedKeys(const std::vector<int>& keys);

signals:
    // The user clicked a box.
    void Clicked();

private:
    int m_dictionary;
    int m_limit;
    int m_columns;
    bool m_built = false;
    std::vector<QCheckBox*> m_boxes;
    std::vector<int> m_keys;
};

} // namespace murmex
