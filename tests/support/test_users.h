#pragma once
#include "ui/headless/headless_ui.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/tab_strip.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <array>
#include <string>
#include <string_view>

// One person at the keyboard and mouse, for each backend. An address is
// typed field by field; an empty field is left blank.
namespace parity {

using CAddressFields = std::array<std::u16string_view, 4>;

enum class PageKey { CtrlTab, CtrlShiftTab, CtrlPageDown, CtrlPageUp };

inline bool IsBackwards(PageKey key) {
    return key == PageKey::CtrlShiftTab || key == PageKey::CtrlPageUp;
}

class CHeadlessUser {
public:
    static constexpr const char* kName = "Headless";

    explicit CHeadlessUser(ui::CDialog& dialog) : m_window(m_ui.Open(dialog)) {}

    ui::IWindow& Window() { return *m_window; }
    void Click(int id) { m_window->Click(id); }
    void Type(int id, std::u16string_view text) { m_window->Type(id, text); }
    void Paste(int id, std::u16string_view clipboard) { m_window->Paste(id, clipboard); }
    void Choose(int id, int index) { m_window->Choose(id, index); }
    void DoubleClick(int id, int index) { m_window->DoubleClick(id, index); }
    std::vector<std::u16string> ShownSuggestions(int id) { return m_window->ShownSuggestions(id); }
    void ChooseSuggestion(int id, int shownIndex) { m_window->ChooseSuggestion(id, shownIndex); }
    void Focus(int id) { m_window->SetFocus(id); }
    void PressEnter() { m_window->PressEnter(); }
    void PressEscape() { m_window->PressEscape(); }
    void PressTab(bool backwards) { m_window->PressTab(backwards); }
    void PressPageKey(PageKey key) { m_window->PressPageKey(IsBackwards(key)); }
    void TypeAddressKeys(int id, std::u16string_view keys) { m_window->TypeAddressKeys(id, keys); }
    int FocusedControl() const { return m_window->Focus(); }
    void TypeAddress(int id, const CAddressFields& fields) {
        IpField address;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i].empty()) {
                address.octets[i] = static_cast<std::uint8_t>(
                    std::stoi(std::string(fields[i].begin(), fields[i].end())));
                ++address.filled;
            }
        }
        m_window->TypeAddress(id, address);
    }

private:
    ui::headless::CHeadlessUi m_ui;
    ui::headless::COpenWindow m_window;
};

class CQtUser {
public:
    static constexpr const char* kName = "Qt";

    explicit CQtUser(ui::CDialog& dialog) : m_dialog(dialog), m_window(dialog, nullptr) {
        dialog.Attach(&m_window);
        dialog.OnInitDialog();
        m_window.show();
        QApplication::setActiveWindow(&m_window);
    }
    ~CQtUser() { m_dialog.Detach(); }
    CQtUser(const CQtUser&) = delete;
    CQtUser& operator=(const CQtUser&) = delete;

    ui::IWindow& Window() { return m_window; }
    ui::qt::CQtWindow& Widgets() { return m_window; }
    void Click(int id) {
        QWidget* widget = m_window.Control(id);
        ClickAt(widget, widget->rect().center());
    }
    // Over the whole text, as after selecting it all.
    void Type(int id, std::u16string_view text) {
        QTest::keyClicks(SelectAllOf(id), ui::qt::ToQString(text));
    }
    void Paste(int id, std::u16string_view clipboard) {
        QApplication::clipboard()->setText(ui::qt::ToQString(clipboard));
        QTest::keySequence(SelectAllOf(id), QKeySequence::Paste);
    }
    void Choose(int id, int index) {
        QWidget* widget = m_window.Control(id);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            // Open the list, move the highlight to the row, take it with Enter.
            combo->showPopup();
            combo->view()->setCurrentIndex(combo->model()->index(index, 0));
            QTest::keyClick(combo->view(), Qt::Key_Return);
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            ClickAt(list->viewport(), LineCentre(list, index));
        } else if (auto* tabs = dynamic_cast<CTabStrip*>(widget)) {
            ClickAt(tabs->Bar(), tabs->Bar()->tabRect(index).center());
        }
    }
    // What the edit's list shows for its text, as Down opens it.
    std::vector<std::u16string> ShownSuggestions(int id) {
        auto* edit = qobject_cast<QLineEdit*>(m_window.Control(id));
        QCompleter* completer = edit->completer();
        std::vector<std::u16string> shown;
        if (completer == nullptr) {
            return shown;
        }
        completer->setCompletionPrefix(edit->text());
        for (int row = 0; row < completer->completionModel()->rowCount(); ++row) {
            shown.push_back(
                ui::qt::FromQString(completer->completionModel()->index(row, 0).data().toString()));
        }
        return shown;
    }
    // Down opens the list, Down moves to the line, Enter takes it.
    void ChooseSuggestion(int id, int shownIndex) {
        auto* edit = qobject_cast<QLineEdit*>(m_window.Control(id));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Down);
        QAbstractItemView* list = edit->completer()->popup();
        for (int line = 0; line <= shownIndex; ++line) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Return);
    }
    void DoubleClick(int id, int index) {
        auto* list = qobject_cast<QListWidget*>(m_window.Control(id));
        ClickAt(list->viewport(), LineCentre(list, index));
        QTest::mouseDClick(m_window.windowHandle(), Qt::LeftButton, {},
                           list->viewport()->mapTo(&m_window, LineCentre(list, index)));
    }
    void Focus(int id) { m_window.SetFocus(id); }
    void PressEnter() { QTest::keyClick(FocusOrWindow(), Qt::Key_Return); }
    void PressEscape() { QTest::keyClick(FocusOrWindow(), Qt::Key_Escape); }
    void PressTab(bool backwards) {
        if (backwards) {
            QTest::keyClick(FocusOrWindow(), Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            QTest::keyClick(FocusOrWindow(), Qt::Key_Tab);
        }
    }
    void PressPageKey(PageKey key) {
        switch (key) {
        case PageKey::CtrlTab:
            return QTest::keyClick(FocusOrWindow(), Qt::Key_Tab, Qt::ControlModifier);
        case PageKey::CtrlShiftTab:
            return QTest::keyClick(FocusOrWindow(), Qt::Key_Backtab,
                                   Qt::ControlModifier | Qt::ShiftModifier);
        case PageKey::CtrlPageDown:
            return QTest::keyClick(FocusOrWindow(), Qt::Key_PageDown, Qt::ControlModifier);
        case PageKey::CtrlPageUp:
            return QTest::keyClick(FocusOrWindow(), Qt::Key_PageUp, Qt::ControlModifier);
        }
    }
    // Each key goes to whichever field has the focus by then.
    void TypeAddressKeys(int id, std::u16string_view keys) {
        m_window.ClearAddress(id);
        m_window.SetFocus(id);
        for (const char16_t key : keys) {
            if (key == u'\b') {
                QTest::keyClick(FocusOrWindow(), Qt::Key_Backspace);
            } else {
                QTest::keyClick(FocusOrWindow(), static_cast<char>(key));
            }
        }
    }
    // The template's control that holds the focus, or 0.
    int FocusedControl() const {
        const QWidget* focused = QApplication::focusWidget();
        for (const auto& control : m_dialog.Template().controls) {
            const QWidget* widget = m_window.Control(control.id);
            if (focused != nullptr && (widget == focused || widget->isAncestorOf(focused))) {
                return control.id;
            }
        }
        return 0;
    }
    void TypeAddress(int id, const CAddressFields& fields) {
        auto* address = dynamic_cast<ui::qt::CIpAddressEdit*>(m_window.Control(id));
        for (int i = 0; i < 4; ++i) {
            if (!fields[static_cast<size_t>(i)].empty()) {
                address->Field(i)->setFocus();
                QTest::keyClicks(address->Field(i),
                                 ui::qt::ToQString(fields[static_cast<size_t>(i)]));
            }
        }
    }

private:
    // Through the window, as the display delivers it: hidden widgets miss it.
    void ClickAt(QWidget* widget, QPoint local) {
        QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(&m_window, local));
    }
    QLineEdit* SelectAllOf(int id) {
        auto* edit = qobject_cast<QLineEdit*>(m_window.Control(id));
        edit->setFocus();
        edit->selectAll();
        return edit;
    }
    static QPoint LineCentre(QListWidget* list, int index) {
        return list->visualItemRect(list->item(index)).center();
    }
    QWidget* FocusOrWindow() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : &m_window;
    }

    ui::CDialog& m_dialog;
    ui::qt::CQtWindow m_window;
};

// Names the backend in each test's name.
struct CUserName {
    template <typename User> static std::string GetName(int) { return User::kName; }
};

} // namespace parity
