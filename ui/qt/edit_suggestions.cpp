#include "ui/qt/edit_suggestions.h"

#include "ui/qt/qt_text.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace ui::qt {

namespace {

// The value is matched and inserted; the list shows (and reads out) the
// display text beside it.
constexpr int kValueRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole + 2;

} // namespace

CEditSuggestions::CEditSuggestions(QLineEdit& edit, std::function<void()> chosen)
    : QObject(&edit), m_edit(edit), m_pModel(new QStandardItemModel(this)),
      m_pCompleter(new QCompleter(m_pModel, this)), m_chosen(std::move(chosen)) {
    // The same matching as IsSuggestedFor: the value holds the text, in any case.
    m_pCompleter->setCompletionRole(kValueRole);
    m_pCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    m_pCompleter->setFilterMode(Qt::MatchContains);
    m_pCompleter->setCompletionMode(QCompleter::PopupCompletion);
    m_edit.setCompleter(m_pCompleter);
    connect(m_pCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { Choose(index); });
    m_edit.installEventFilter(this);
}

void CEditSuggestions::Set(const std::vector<Suggestion>& suggestions) {
    m_pModel->clear();
    // A line names a network and its security, which may run wider than the
    // edit: the list is as wide as its longest line, so none is cut.
    QAbstractItemView* list = m_pCompleter->popup();
    // Qt lays the text out in fractions of a pixel and cuts what does not fit.
    const QFontMetricsF metrics(list->font());
    qreal widest = 0;
    for (const Suggestion& suggestion : suggestions) {
        widest = std::max(widest, metrics.horizontalAdvance(ToQString(suggestion.shown)));
    }
    // Qt keeps the focus frame's margin and one pixel each side of an item's
    // text; room for a scroll bar, which a long list shows.
    const QStyle* style = list->style();
    list->setMinimumWidth(
        static_cast<int>(std::ceil(widest)) +
        2 * (list->frameWidth() + style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) +
        style->pixelMetric(QStyle::PM_ScrollBarExtent));
    for (size_t i = 0; i < suggestions.size(); ++i) {
        auto* item = new QStandardItem(ToQString(suggestions[i].shown));
        item->setData(ToQString(suggestions[i].value), kValueRole);
        item->setData(static_cast<int>(i), kIndexRole);
        item->setEditable(false);
        m_pModel->appendRow(item);
    }
    m_nChosen = -1;
}

void CEditSuggestions::Choose(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    m_edit.setText(index.data(kValueRole).toString());
    m_nChosen = index.data(kIndexRole).toInt();
    m_chosen();
}

// Enter in the list is QCompleter's: it chooses the current line, and the
// key never reaches the dialog's default button.
bool CEditSuggestions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != &m_edit) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Down && key.modifiers() == Qt::NoModifier &&
        !m_pCompleter->popup()->isVisible() && m_pModel->rowCount() > 0) {
        m_pCompleter->setCompletionPrefix(m_edit.text());
        m_pCompleter->complete();
        return true;
    }
    return false;
}

} // namespace ui::qt
