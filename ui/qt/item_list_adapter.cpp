#include "ui/qt/item_list_adapter.h"

#include <QComboBox>
#include <QListWidget>
#include <optional>

namespace ui::qt {
namespace {

constexpr int kItemDataRole = Qt::UserRole;

class CListBoxLines : public CItemListAdapter {
public:
    explicit CListBoxLines(QListWidget* list) : m_pList(list) {}

    int Count() const override { return m_pList->count(); }
    void Insert(int index, const QString& text) override {
        auto* item = new QListWidgetItem(text);
        if (m_nLineHeight) {
            item->setSizeHint(QSize(1, *m_nLineHeight));
        }
        m_pList->insertItem(index, item);
    }
    void Remove(int index) override { delete m_pList->takeItem(index); }
    void Clear() override { m_pList->clear(); }
    QString Text(int index) const override { return m_pList->item(index)->text(); }
    QVariant Data(int index) const override { return m_pList->item(index)->data(kItemDataRole); }
    void SetData(int index, const QVariant& data) override {
        m_pList->item(index)->setData(kItemDataRole, data);
    }
    int Selected() const override {
        const QListWidgetItem* current = m_pList->currentItem();
        return current != nullptr && current->isSelected() ? m_pList->currentRow() : -1;
    }
    void Select(int index) override { m_pList->setCurrentRow(index); }
    void SetLineHeight(int pixels) override {
        m_nLineHeight = pixels;
        for (int i = 0; i < m_pList->count(); ++i) {
            m_pList->item(i)->setSizeHint(QSize(1, pixels));
        }
    }

private:
    QListWidget* m_pList;
    std::optional<int> m_nLineHeight;
};

class CComboBoxRows : public CItemListAdapter {
public:
    explicit CComboBoxRows(QComboBox* combo) : m_pCombo(combo) {}

    int Count() const override { return m_pCombo->count(); }
    void Insert(int index, const QString& text) override {
        const bool noneSelected = m_pCombo->currentIndex() < 0;
        m_pCombo->insertItem(index, text);
        // Qt selects the first row put into an empty combo box; Windows does not.
        if (noneSelected) {
            m_pCombo->setCurrentIndex(-1);
        }
    }
    void Remove(int index) override { m_pCombo->removeItem(index); }
    void Clear() override { m_pCombo->clear(); }
    QString Text(int index) const override { return m_pCombo->itemText(index); }
    QVariant Data(int index) const override { return m_pCombo->itemData(index, kItemDataRole); }
    void SetData(int index, const QVariant& data) override {
        m_pCombo->setItemData(index, data, kItemDataRole);
    }
    int Selected() const override { return m_pCombo->currentIndex(); }
    void Select(int index) override { m_pCombo->setCurrentIndex(index); }
    // A combo box's rows keep the height of its font.
    void SetLineHeight(int) override {}

private:
    QComboBox* m_pCombo;
};

} // namespace

std::unique_ptr<CItemListAdapter> MakeItemListAdapter(QWidget* widget) {
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        return std::make_unique<CListBoxLines>(list);
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return std::make_unique<CComboBoxRows>(combo);
    }
    return nullptr;
}

} // namespace ui::qt
