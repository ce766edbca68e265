#include "tests/ui_parity/parity_fixture.h"

using namespace parity;
using ui::Notification;

namespace {

template <typename User> class EnterKeyTest : public ParityTest<User> {};
TYPED_TEST_SUITE(EnterKeyTest, Backends, CUserName);

const CHeard kOk{ui::IDOK, Notification::Clicked};

CHeard ClickOf(int id) { return {id, Notification::Clicked}; }

} // namespace

TYPED_TEST(EnterKeyTest, WithoutADefaultButtonEnterMeansOkUnlessAButtonHasTheFocus) {
    this->Window().InsertItem(kList, -1, u"line");
    for (const int focus : {kPlainEdit, kCheck, kList}) {
        this->TheUser().Focus(focus);
        this->TheUser().PressEnter();
        EXPECT_EQ(this->Heard(), std::vector<CHeard>{kOk}) << "focus on " << focus;
    }
    this->TheUser().Focus(kPriorityDown);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPriorityDown)});
    this->TheUser().PressEscape();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(ui::IDCANCEL)});
}

TYPED_TEST(EnterKeyTest, EnterPressesTheTemplatesDefaultButtonEvenWhenItIsNotOk) {
    this->Open(ButtonRow::DefaultNotOk);
    this->Window().InsertItem(kList, -1, u"line");
    for (const int focus : {kPlainEdit, kCheck, kList}) {
        this->TheUser().Focus(focus);
        this->TheUser().PressEnter();
        EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPropertyOk)}) << "focus on " << focus;
    }
    this->TheUser().Focus(kClear);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kClear)});
    // The focus leaves the button: the template's default is back.
    this->TheUser().Focus(kPlainEdit);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPropertyOk)});
}

TYPED_TEST(EnterKeyTest, ADisabledDefaultButtonIsNotPressed) {
    this->Open(ButtonRow::DefaultNotOk);
    this->Window().Enable(kPropertyOk, false);
    this->TheUser().Focus(kPlainEdit);
    this->TheUser().PressEnter();
    EXPECT_TRUE(this->Heard().empty());
}
