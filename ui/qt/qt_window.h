#pragma once
#include "ui/dialog.h"
#include "ui/qt/default_button.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/edit_suggestions.h"
#include "ui/qt/item_list_adapter.h"
#include "ui/qt/modality.h"
#include "ui/window.h"

#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>

class QButtonGroup;
class QScrollArea;

namespace ui::qt {

// A dialog's window made of real widgets, built from its template. Each
// widget's objectName is its control identifier; user actions reach the
// dialog's message map through CDialog::Dispatch.
class CQtWindow : public QDialog, public IWindow {
public:
    CQtWindow(CDialog& dialog, QWidget* parent);

    // Shows the window modally until the dialog ends, and returns its result.
    int RunModalLoop(UnownedModality unowned);
    CDialogBaseUnits BaseUnits() const { return m_base; }
    QWidget* Control(int id) const;
    // Translations run longer than the texts a template was drawn for: the
    // dialog and every control in it widen in step until each text fits.
    void FitTexts();
    // Whether FitTexts had to widen the dialog: on the system's own platform
    // a dialog keeps its template's size, so every text must fit unwidened.
    bool WasWidened() const { return m_bWidened; }
    // A window larger than its screen's free area would hide its buttons:
    // its controls then scroll in a window that fits, which the user may
    // enlarge up to the size drawn.
    void KeepWithinScreen();
    bool Scrolls() const { return m_pScroller != nullptr; }
    // Once its frame is known, the window moves wholly onto its screen.
    void MoveOntoScreen();

    // IWindow
    WindowHandle Handle() const override;
    void SetTitle(std::u16string_view title) override;
    std::u16string Title() const override;
    void SetIcon(std::u16string_view iconName) override;
    void AddSystemMenuCommand(int commandId, std::u16string_view text) override;
    void SetExtendedStyle(unsigned extendedStyle) override;
    unsigned ExtendedStyle() const override { return m_nExtendedStyle; }
    void SetOuterSize(int width, int height) override;
    void End(int result) override;
    void MoveControl(int id, Rect pixels) override;
    void SetText(int id, std::u16string_view text) override;
    std::u16string Text(int id) const override;
    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void Show(int id, bool visible) override;
    bool IsVisible(int id) const override;
    void SetFocus(int id) override;
    void GoToControl(int id) override;
    void SetSuggestions(int id, std::vector<Suggestion> suggestions) override;
    int ChosenSuggestion(int id) const override;
    void SetCheck(int id, int state) override;
    int Check(int id) const override;
    void SetAddress(int id, const IpField& address) override;
    IpField Address(int id) const override;
    void ClearAddress(int id) override;
    int InsertItem(int id, int index, std::u16string_view text) override;
    void DeleteItem(int id, int index) override;
    void ResetItems(int id) override;
    int ItemCount(int id) const override;
    std::u16string ItemText(int id, int index) const override;
    void SetItemData(int id, int index, std::intptr_t data) override;
    std::intptr_t ItemData(int id, int index) const override;
    void SetCurSel(int id, int index) override;
    int CurSel(int id) const override;
    void SetItemHeight(int id, int pixels) override;
    void InsertTab(int id, int index, std::u16string_view text) override;
    int TabCount(int id) const override;
    std::u16string TabText(int id, int index) const override;
    void SetCurTab(int id, int index) override;
    int CurTab(int id) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;

private:
    void CreateControl(const ControlTemplate& control);
    QWidget* MakeWidget(const ControlTemplate& control);
    void ApplyWindowFlags();
    void RaiseLabels();
    void UpdateAccessibleName(int labelId);
    // Moves, resizes and activations come in bursts: the dialog hears of
    // them once the burst has been handled.
    void ReportWindowPosChanged();
    CItemListAdapter* Items(int id) const;
    template <typename Widget> Widget* As(int id) const;

    CDialog& m_dialog;
    CDialogBaseUnits m_base;
    std::map<int, QWidget*> m_controls;
    std::map<int, QButtonGroup*> m_radioGroups; // by first button of the group
    std::map<int, int> m_labelledControls;      // label id -> control it names
    std::map<int, std::unique_ptr<CItemListAdapter>> m_itemLists;
    std::map<int, CEditSuggestions*> m_suggestions; // owned by their edits
    CDefaultButton* m_pDefaultButton;
    std::optional<QSize> m_frameAtSizing; // frame when the outer size was set
    unsigned m_nExtendedStyle = 0;
    bool m_bWidened = false;
    std::optional<int> m_result;
    QEventLoop* m_pModalLoop = nullptr;
    QTimer* m_pPosChangedReport;
    QScrollArea* m_pScroller = nullptr;
};

} // namespace ui::qt
