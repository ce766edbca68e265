#pragma once
#include <QString>
#include <QVariant>
#include <memory>

class QWidget;

namespace ui::qt {

// The lines of a list box or the rows of a combo box, with item data, behind
// one interface. Indexes are checked by the caller; -1 selects nothing.
class CItemListAdapter {
public:
    virtual ~CItemListAdapter() = default;

    virtual int Count() const = 0;
    virtual void Insert(int index, const QString& text) = 0;
    virtual void Remove(int index) = 0;
    virtual void Clear() = 0;
    virtual QString Text(int index) const = 0;
    virtual QVariant Data(int index) const = 0;
    virtual void SetData(int index, const QVariant& data) = 0;
    virtual int Selected() const = 0;
    virtual void Select(int index) = 0;
    virtual void SetLineHeight(int pixels) = 0;
};

// The adapter of a QListWidget or a QComboBox; nothing for other widgets.
std::unique_ptr<CItemListAdapter> MakeItemListAdapter(QWidget* widget);

} // namespace ui::qt
