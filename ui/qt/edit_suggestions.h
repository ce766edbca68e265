#pragma once
#include "ui/types.h"

#include <QObject>
#include <functional>
#include <vector>

class QCompleter;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;

namespace ui::qt {

// The list of suggestions below a line edit: it opens as the user types, or
// with Down, shows the suggestions whose value holds the text, and a click
// or Enter on one puts its value into the edit.
class CEditSuggestions : public QObject {
public:
    CEditSuggestions(QLineEdit& edit, std::function<void()> chosen);

    void Set(const std::vector<Suggestion>& suggestions);
    int Chosen() const { return m_nChosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(const QModelIndex& index);

    QLineEdit& m_edit;
    QStandardItemModel* m_pModel;
    QCompleter* m_pCompleter;
    std::function<void()> m_chosen;
    int m_nChosen = -1;
};

} // namespace ui::qt
