#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

using WindowHandle = std::uintptr_t;

// Results of dialogs and message boxes, numbered as the Windows framework does.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

enum class ControlKind {
    Static,
    GroupBox,
    PushButton,
    CheckBox,
    RadioButton,
    Edit,
    ListBox,
    ComboBox,
    IpAddress,
    Tab,
};

// Control style flags. "Both" marks a flag both backends honour alike;
// "descriptive" one that records the template and changes nothing.
namespace style {
// Both: Enter presses it unless a push button has the focus.
inline constexpr unsigned kDefaultButton = 1u << 0;
// Both: first radio button of a group.
inline constexpr unsigned kGroup = 1u << 1;
// Qt masks the characters; the headless backend shows nothing to mask.
inline constexpr unsigned kPassword = 1u << 2;
// Both: typing and pasting take digits only.
inline constexpr unsigned kNumber = 1u << 3;
// Descriptive: every edit scrolls sideways and has no length limit.
inline constexpr unsigned kAutoHScroll = 1u << 4;
// Descriptive: lists and combo boxes scroll when their lines need it.
inline constexpr unsigned kVScroll = 1u << 5;
// Descriptive: every list box notifies its dialog.
inline constexpr unsigned kNotify = 1u << 6;
// Descriptive: no backend sorts; lines stay where they are inserted.
inline constexpr unsigned kSort = 1u << 7;
// Descriptive: every combo box is a drop-down list in both backends; its
// text is its selected row, and setting its text selects the row with
// exactly that text (none without one).
inline constexpr unsigned kDropDownList = 1u << 8;
// Both: the control starts hidden or disabled.
inline constexpr unsigned kHidden = 1u << 9;
inline constexpr unsigned kDisabled = 1u << 10;
// Qt: a static text or group box takes the focus only with it; descriptive
// for the other controls, which all take it.
inline constexpr unsigned kTabStop = 1u << 11;
} // namespace style

// Window style flags of a dialog.
namespace window_style {
inline constexpr unsigned kSystemMenu = 1u << 0; // close box in the title bar
inline constexpr unsigned kMinimizeBox = 1u << 1;
} // namespace window_style

// Extended window styles, with their Windows values.
inline constexpr unsigned kExStyleToolWindow = 0x80;
inline constexpr unsigned kExStyleAppWindow = 0x40000;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    Rect rect; // dialog units
    unsigned style = 0;
    std::u16string text;
};

struct DialogTemplate {
    int id = 0;
    Rect rect; // dialog units
    std::u16string title;
    std::u16string fontName = u"MS Shell Dlg";
    int fontPointSize = 8;
    unsigned windowStyle = window_style::kSystemMenu;
    unsigned extendedStyle = 0;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* FindControl(int controlId) const;
    // The radio buttons of the group a radio button belongs to, in template
    // order: a group runs from a button marked kGroup (or the first radio
    // button after another kind of control) to the next such start.
    std::vector<int> RadioGroupContaining(int controlId) const;
};

// Asking for a control the template lacks is a fault in the dialog's code:
// it is reported and the program stops, in every backend alike.
[[noreturn]] void FailMissingControl(int templateId, int controlId);

enum class Icon { None, Error, Information, Question, Warning };
// The first button is the default, except that Yes and No default to No: a
// question answered with Yes does what cannot be undone (a restart), so it is
// never one press of Enter away.
enum class Buttons { Ok, OkCancel, YesNo };

// What a control tells its dialog.
enum class Notification {
    Clicked,          // push button, check box, radio button
    SelectionChanged, // list box, combo box, tab strip
    DoubleClicked,    // list box line
    EditChanged,      // edit text
    SuggestionChosen, // edit: one of its suggestions was chosen
};

// A value an edit offers as the user types: the suggestions whose value
// holds the typed text, in any case, show as a list below the edit (Down
// opens it); choosing one puts its value into the edit.
struct Suggestion {
    std::u16string value;
    std::u16string shown; // as the list shows it, and a screen reader reads it
};
bool IsSuggestedFor(std::u16string_view value, std::u16string_view typed);

} // namespace ui
