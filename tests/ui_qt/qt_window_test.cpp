#include "tests/support/accessibility_faults.h"
#include "tests/support/focus_mark.h"
#include "tests/support/text_fit.h"
#include "tests/ui_qt/probe_dialog.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_window.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using ui::Notification;
using ui::qt::CIpAddressEdit;
using ui::qt::CQtWindow;

namespace {

class QtWindowTest : public ::testing::Test {
protected:
    QtWindowTest() : m_dialog(m_template), m_window(m_dialog, nullptr) {
        m_dialog.Attach(&m_window);
        m_dialog.OnInitDialog();
        m_window.show();
        QApplication::setActiveWindow(&m_window);
    }
    ~QtWindowTest() override { m_dialog.Detach(); }

    // Typing goes wherever the focus is at each key, as a user's does.
    static void Type(const QString& keys) {
        for (const QChar key : keys) {
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        }
    }

    template <typename Widget> Widget* Find(int id) {
        return m_window.findChild<Widget*>(QString::number(id));
    }

    ui::DialogTemplate m_template = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg m_dialog;
    CQtWindow m_window;
};

} // namespace

TEST_F(QtWindowTest, ControlsArePlacedInDialogUnitsAndFoundByIdentifier) {
    const auto base = m_window.BaseUnits();
    auto* edit = Find<QLineEdit>(11);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), ui::qt::ToPixels({50, 5, 100, 12}, base));
    EXPECT_EQ(m_window.size(), ui::qt::ToPixels({0, 0, 200, 130}, base).size());
    // A combo box is one line high closed; its template height is the list's.
    auto* combo = Find<QComboBox>(18);
    ASSERT_NE(combo, nullptr);
    EXPECT_LT(combo->height(), ui::qt::ToPixels({5, 80, 100, 60}, base).height());
    EXPECT_TRUE(Find<QPushButton>(ui::IDOK)->isDefault());
}

TEST_F(QtWindowTest, FieldsAreNamedByTheLabelBeforeThem) {
    EXPECT_EQ(Find<QLineEdit>(11)->accessibleName(), QStringLiteral("Name"));
    EXPECT_EQ(Find<CIpAddressEdit>(17)->accessibleName(), QStringLiteral("Address"));
    m_window.SetText(10, u"Full name");
    EXPECT_EQ(Find<QLineEdit>(11)->accessibleName(), QStringLiteral("Full name"));
}

TEST_F(QtWindowTest, RadioGroupIsExclusiveAndExchangesItsIndex) {
    EXPECT_EQ(m_window.Check(13), 1); // from the member, at initialisation
    EXPECT_EQ(m_window.Check(15), 1);
    auto* radio = Find<QRadioButton>(14);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
    EXPECT_EQ(m_window.Check(13), 0);
    m_dialog.UpdateData(true);
    EXPECT_EQ(m_dialog.m_nMode, 1);
    ASSERT_FALSE(m_dialog.m_notifications.empty());
    EXPECT_EQ(m_dialog.m_notifications.back(), std::make_pair(14, Notification::Clicked));

    // The arrow keys move within the group and choose, as a click does.
    QTest::keyClick(radio, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), Find<QRadioButton>(13));
    EXPECT_EQ(m_window.Check(13), 1);
    EXPECT_EQ(m_dialog.m_notifications.back(), std::make_pair(13, Notification::Clicked));
    QTest::keyClick(Find<QRadioButton>(13), Qt::Key_Right);
    EXPECT_EQ(m_window.Check(14), 1);

    // The framework may clear a whole group, which a user cannot.
    m_window.SetCheck(14, 0);
    m_dialog.UpdateData(true);
    EXPECT_EQ(m_dialog.m_nMode, -1);
}

TEST_F(QtWindowTest, ComboRowsKeepDataAndOnlyTheUserNotifies) {
    EXPECT_EQ(m_window.InsertItem(18, 0, u"second"), 0);
    EXPECT_EQ(m_window.InsertItem(18, 0, u"first"), 0);
    EXPECT_EQ(m_window.InsertItem(18, -1, u"third"), 2);
    m_window.SetItemData(18, 1, 42);
    EXPECT_EQ(m_window.ItemText(18, 1), u"second");
    EXPECT_EQ(m_window.ItemData(18, 1), 42);
    EXPECT_EQ(m_window.ItemData(18, 7), -1);
    m_window.SetCurSel(18, 9);
    EXPECT_EQ(m_window.CurSel(18), -1);
    m_window.SetCurSel(18, 0);
    EXPECT_TRUE(m_dialog.m_notifications.empty());

    auto* combo = Find<QComboBox>(18);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(m_window.CurSel(18), 1);
    ASSERT_EQ(m_dialog.m_notifications.size(), 1u);
    EXPECT_EQ(m_dialog.m_notifications[0], std::make_pair(18, Notification::SelectionChanged));
}

TEST_F(QtWindowTest, ListLinesKeepDataHeightAndSelection) {
    m_window.SetItemHeight(19, 30);
    m_window.InsertItem(19, -1, u"one");
    m_window.InsertItem(19, -1, u"two");
    m_window.SetItemData(19, 1, 7);
    m_window.SetCurSel(19, 1);
    EXPECT_EQ(m_window.CurSel(19), 1);
    EXPECT_EQ(m_window.ItemData(19, 1), 7);
    EXPECT_EQ(Find<QListWidget>(19)->visualItemRect(Find<QListWidget>(19)->item(0)).height(), 30);
    m_window.DeleteItem(19, 1);
    EXPECT_EQ(m_window.CurSel(19), -1);
    EXPECT_EQ(m_window.ItemCount(19), 1);
    // A click on the window reaches the line through what the list draws on top.
    auto* list = Find<QListWidget>(19);
    const QPoint line = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {},
                      list->viewport()->mapTo(&m_window, line));
    EXPECT_EQ(m_window.CurSel(19), 0);
}

// What a screen reader is told of a radio button's and a drop-down's state,
// and the drop-down's list as its one child; a host's own widgets keep
// what Qt tells of them.
TEST_F(QtWindowTest, ScreenReadersHearRadioButtonsAndDropDownsAsTheyAre) {
    m_window.SetCheck(14, 1);
    QAccessibleInterface* checked = QAccessible::queryAccessibleInterface(Find<QRadioButton>(14));
    QAccessibleInterface* unchecked = QAccessible::queryAccessibleInterface(Find<QRadioButton>(13));
    EXPECT_TRUE(checked->state().checked);
    EXPECT_FALSE(unchecked->state().checked);

    auto* combo = Find<QComboBox>(18);
    QAccessibleInterface* dropDown = QAccessible::queryAccessibleInterface(combo);
    EXPECT_TRUE(dropDown->state().collapsed);
    EXPECT_FALSE(dropDown->state().expanded);
    ASSERT_EQ(dropDown->childCount(), 1);
    EXPECT_EQ(dropDown->child(0)->object(), combo->view());

    QWidget host;
    auto* hostRadio = new QRadioButton(QStringLiteral("&Host"), &host);
    QAccessibleInterface* hostInterface = QAccessible::queryAccessibleInterface(hostRadio);
    EXPECT_EQ(hostInterface->actionInterface()->actionNames().constFirst(),
              QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(checked->actionInterface()->actionNames().constFirst(),
              QAccessibleActionInterface::pressAction());
}

TEST_F(QtWindowTest, NumberEditTakesDigitsOnly) {
    auto* edit = Find<QLineEdit>(11);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("4a2-"));
    EXPECT_EQ(m_window.Text(11), u"42");
    EXPECT_EQ(m_dialog.m_notifications.back(), std::make_pair(11, Notification::EditChanged));
}

TEST_F(QtWindowTest, AddressFieldsAdvanceClampAndCountWhatIsFilled) {
    auto* address = Find<CIpAddressEdit>(17);
    address->Field(0)->setFocus();
    Type(QStringLiteral("1921681.x"));
    IpField entered = m_window.Address(17);
    EXPECT_EQ(entered.filled, 3);
    EXPECT_EQ(entered.octets, (std::array<std::uint8_t, 4>{192, 168, 1, 0}));
    EXPECT_EQ(QApplication::focusWidget(), address->Field(3));

    QTest::keyClicks(address->Field(3), QStringLiteral("999"));
    EXPECT_EQ(m_window.Address(17).octets[3], 255);
    EXPECT_TRUE(m_window.Address(17).IsEntered());

    address->Field(2)->setFocus();
    address->Field(2)->home(false);
    QTest::keyClick(address->Field(2), Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), address->Field(1));
    // Left at a field's start and Right at its end cross into the next one;
    // inside a field they move the caret.
    address->Field(1)->home(false);
    QTest::keyClick(address->Field(1), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), address->Field(0));
    EXPECT_EQ(address->Field(0)->cursorPosition(), 3);
    QTest::keyClick(address->Field(0), Qt::Key_Left);
    QTest::keyClick(address->Field(0), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), address->Field(0));
    QTest::keyClick(address->Field(0), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), address->Field(1));
    EXPECT_EQ(address->Field(1)->cursorPosition(), 0);

    m_window.ClearAddress(17);
    EXPECT_EQ(m_window.Address(17).filled, 0);
    m_window.SetAddress(17, IpField{{10, 0, 0, 1}, 0});
    EXPECT_EQ(m_window.Address(17), (IpField{{10, 0, 0, 1}, 4}));
}

// From the dialog's first moment, before any key: buttons, an empty list
// and the address control as well.
TEST_F(QtWindowTest, EveryControlMarksItsFocusWithoutAKeyPressed) {
    for (const int id : {13, 15, 17, 18, 19, ui::IDCANCEL}) {
        m_window.SetFocus(id);
        EXPECT_TRUE(ShowsItsFocus(*m_window.Control(id))) << id;
    }
    Find<CIpAddressEdit>(17)->Field(2)->setFocus();
    EXPECT_TRUE(ShowsItsFocus(*m_window.Control(17))) << "from a field after the first";

    // With lines the view marks its current one; nothing goes round them all.
    auto* list = Find<QListWidget>(19);
    m_window.InsertItem(19, -1, u"line");
    m_window.SetFocus(19);
    const QImage picture = list->grab().toImage();
    const QPoint belowTheLine(list->contentsRect().center().x(), list->contentsRect().bottom() - 1);
    EXPECT_EQ(picture.pixelColor(belowTheLine), list->palette().color(QPalette::Base));
}

TEST_F(QtWindowTest, DisabledAndHiddenControlsIgnoreTheUser) {
    m_window.Enable(15, false);
    QTest::mouseClick(Find<QCheckBox>(15), Qt::LeftButton);
    EXPECT_EQ(m_window.Check(15), 1);
    m_window.Show(14, false);
    EXPECT_FALSE(m_window.IsVisible(14));
    EXPECT_TRUE(m_dialog.m_notifications.empty());
}

namespace {

// What a screen reader hears of each control: role, name and actions.
std::vector<std::string> Spoken(QWidget& window, const ui::DialogTemplate& drawn) {
    std::vector<std::string> spoken;
    for (const ui::ControlTemplate& control : drawn.controls) {
        auto* widget = window.findChild<QWidget*>(QString::number(control.id));
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(widget);
        const QAccessibleActionInterface* actions = item->actionInterface();
        spoken.push_back(
            std::to_string(item->role()) + " " + item->text(QAccessible::Name).toStdString() + " " +
            (actions != nullptr ? actions->actionNames().join(u',').toStdString() : std::string()));
    }
    return spoken;
}

// The controls in the order Tab visits them.
std::vector<std::string> TabOrder(QWidget& window) {
    std::vector<std::string> order;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName().isEmpty() ? widget->metaObject()->className()
                                                           : widget->objectName().toStdString());
        }
    }
    return order;
}

// The controls in the order they are drawn, the topmost last.
std::vector<std::string> StackingOrder(const QWidget& surface) {
    std::vector<std::string> order;
    for (const QObject* child : surface.children()) {
        if (child->isWidgetType() && !child->objectName().isEmpty()) {
            order.push_back(child->objectName().toStdString());
        }
    }
    return order;
}

// The dialogs open for an owner on the smallest screen: with two screens,
// the owner's is the one that counts, not the first.
class QtWindowOnSmallScreenTest : public ::testing::Test {
protected:
    QtWindowOnSmallScreenTest() {
        QScreen* smallest = QGuiApplication::primaryScreen();
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().height() < smallest->availableGeometry().height()) {
                smallest = screen;
            }
        }
        m_owner.setScreen(smallest);
        m_owner.setGeometry(QRect(smallest->availableGeometry().center(), QSize(100, 100)));
        m_owner.show();
        m_free = smallest->availableGeometry();
    }

    QWidget m_owner;
    QRect m_free;
};

} // namespace

TEST_F(QtWindowOnSmallScreenTest, ADialogTallerThanTheScreenScrollsWithEveryControlInReach) {
    // Stretched far below the bottom of any screen the tests run on.
    ui::DialogTemplate tall = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    tall.rect.height = 800;
    for (ui::ControlTemplate& control : tall.controls) {
        if (control.id == ui::IDOK || control.id == ui::IDCANCEL) {
            control.rect.y = 780;
        }
    }
    const ui::DialogTemplate drawnToFit = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg fitting(drawnToFit);
    CQtWindow fittingWindow(fitting, &m_owner);
    fittingWindow.KeepWithinScreen();
    fittingWindow.show();
    EXPECT_FALSE(fittingWindow.Scrolls());

    CProbeDlg dialog(tall);
    CQtWindow window(dialog, &m_owner);
    dialog.Attach(&window);
    dialog.OnInitDialog();
    window.Show(14, false);
    window.KeepWithinScreen();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.Scrolls());
    EXPECT_EQ(ScreenFaults(window), std::vector<std::string>{});
    auto* scroller = window.findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(TabOrder(window), TabOrder(fittingWindow));
    EXPECT_EQ(StackingOrder(*scroller->widget()), StackingOrder(fittingWindow));
    EXPECT_FALSE(window.IsVisible(14));
    EXPECT_TRUE(window.IsVisible(13));
    EXPECT_EQ(AccessibilityFaults(window), AccessibilityFaults(fittingWindow));
    EXPECT_EQ(Spoken(window, tall), Spoken(fittingWindow, drawnToFit));

    auto* cancel = window.findChild<QPushButton*>(QString::number(ui::IDCANCEL));
    const auto inSight = [&] {
        return window.rect().contains(QRect(cancel->mapTo(&window, QPoint()), cancel->size()));
    };
    EXPECT_FALSE(inSight());
    window.SetFocus(ui::IDCANCEL);
    EXPECT_TRUE(inSight());
    QTest::keyClick(cancel, Qt::Key_Escape);
    dialog.Detach();
}

// Too tall, too wide, or both because the other direction's scroll bar
// takes the last room: whatever lies beyond the window has a scroll bar,
// a direction that fits has none, and the window enlarged as far as it
// goes shows the whole dialog unscrolled.
TEST_F(QtWindowOnSmallScreenTest, EachDirectionThatDoesNotFitScrollsAndOnlyThat) {
    const ui::DialogTemplate drawn = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    struct CShown {
        QSize window;
        int bar = 0;
    };
    const auto open = [&](QSize outer, bool expectScrolls = true) {
        CProbeDlg dialog(drawn);
        CQtWindow window(dialog, &m_owner);
        dialog.Attach(&window);
        dialog.OnInitDialog();
        window.SetOuterSize(outer.width(), outer.height());
        window.KeepWithinScreen();
        window.show();
        CShown shown{window.size()};
        auto* scroller = window.findChild<QScrollArea*>();
        EXPECT_EQ(scroller != nullptr, expectScrolls) << outer.width() << "x" << outer.height();
        if (scroller != nullptr) {
            SCOPED_TRACE(testing::Message() << outer.width() << "x" << outer.height());
            EXPECT_EQ(ScreenFaults(window), std::vector<std::string>{});
            const QSize view = scroller->viewport()->size();
            const QSize canvas = scroller->widget()->size();
            EXPECT_EQ(scroller->horizontalScrollBar()->isVisible(), canvas.width() > view.width());
            EXPECT_EQ(scroller->verticalScrollBar()->isVisible(), canvas.height() > view.height());
            shown.bar = scroller->verticalScrollBar()->isVisible()
                            ? scroller->verticalScrollBar()->width()
                            : scroller->horizontalScrollBar()->height();
            window.resize(window.maximumSize());
            QApplication::processEvents();
            EXPECT_EQ(window.size(), window.maximumSize());
            EXPECT_TRUE(scroller->viewport()->rect().contains(QRect(QPoint(), canvas)));
        }
        window.End(ui::IDCANCEL);
        dialog.Detach();
        return shown;
    };
    // A screen's free area less the frame's allowance: where a dialog just fits.
    const CShown tall = open({300, m_free.height() + 200});
    const CShown wide = open({m_free.width() + 200, 200});
    const QSize room(wide.window.width(), tall.window.height());
    ASSERT_GT(tall.bar, 0);
    open({room.width() + 200, room.height() - tall.bar / 2});
    open({room.width() - tall.bar / 2, room.height() + 200});
    open(room, false);
}
