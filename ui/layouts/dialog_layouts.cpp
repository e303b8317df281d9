// The change-deck dialog, the about dialog and the one-line input dialog as designed.
#include "ui/layouts/layouts.h"

namespace pelmor::ui::layouts {

namespace {

constexpr ControlLayout kInputControls[] = {
    {.name = "Prompt", .kind = ControlKind::kStatic, .bounds = {8, 8, 233, 13}, .caption = "", .id = kInputPrompt},
    {.name = "Edit", .kind = ControlKind::kEdit, .bounds = {8, 26, 233, 21}, .id = kInputEdit},
    {.name = "OKButton",
     .kind = ControlKind::kButton,
     .bounds = {41, 60, 75, 25},
     .caption = "OK",
     .defaultButton = true,
     .id = kInputOk},
    {.name = "CancelButton", .kind = ControlKind::kButton, .bounds = {125, 60, 75, 25}, .caption = "Cancel", .id = kInputCancel},
};

constexpr std::string_view kWebsiteHint = "Click here to visit my website";

constexpr ControlLayout kAboutControls[] = {
    {.name = "Image1", .kind = ControlKind::kPicture, .bounds = {0, 0, 525, 201}, .align = Align::kTop,
     .caption = "Orvandis", .id = kAboutImage1, .hint = kWebsiteHint, .cursor = Cursor::kHand,
     .pictureKind = PictureKind::kBitmap, .picture = "BANNER", .stretch = true},
    {.name = "AppType", .kind = ControlKind::kText, .bounds = {288, 144, 233, 22}, .caption = "%u-Bit",
     .font = {"Engravers MT", 19, true, kYellow}, .transparent = true, .id = kAboutAppType, .hint = kWebsiteHint,
     .cursor = Cursor::kHand, .centred = true},
    {.name = "Image2", .kind = ControlKind::kPicture, .bounds = {264, 168, 32, 32}, .caption = "Donate via Paypal",
     .transparent = true, .id = kAboutImage2, .hint = "Donate via Paypal", .cursor = Cursor::kHand,
     .pictureKind = PictureKind::kIcon, .picture = "DONATE1"},
    {.name = "Image3", .kind = ControlKind::kPicture, .bounds = {296, 184, 16, 16},
     .caption = "Donate via Cash App", .id = kAboutImage3, .hint = "Click here to donate via Cash App",
     .cursor = Cursor::kHand, .pictureKind = PictureKind::kIcon, .picture = "DONATE2"},
    {.name = "CharType", .kind = ControlKind::kText, .bounds = {280, 40, 241, 22}, .caption = "CharType",
     .font = {"Stencil", 19, false, kAqua}, .transparent = true, .centred = true},
    {.name = "Panel1", .kind = ControlKind::kPanel, .bounds = {8, 208, 513, 161}, .caption = ""},
    {.name = "Bevel1", .kind = ControlKind::kBevel, .bounds = {8, 8, 65, 57}, .parent = "Panel1"},
    {.name = "ProgramIcon", .kind = ControlKind::kPicture, .bounds = {8, 8, 65, 57}, .caption = "Pelmor",
     .transparent = true, .id = kAboutProgramIcon, .hint = "Click here to visit the app homepage",
     .cursor = Cursor::kHand, .parent = "Panel1", .pictureKind = PictureKind::kIcon, .stretch = true},
    {.name = "ProductName", .kind = ControlKind::kText, .bounds = {88, 16, 300, 16}, .caption = "Orvandis %s",
     .parent = "Panel1"},
    {.name = "Version", .kind = ControlKind::kText, .bounds = {88, 40, 300, 16},
     .caption = "Version,build count and compile time", .parent = "Panel1"},
    {.name = "Comments", .kind = ControlKind::kText, .bounds = {8, 104, 497, 49}, .caption = "Comments",
     .parent = "Panel1", .wordWrap = true},
    {.name = "Label1", .kind = ControlKind::kText, .bounds = {8, 80, 390, 16},
     .caption = "If you like this app you can then support me by buying the source code", .parent = "Panel1"},
    {.name = "Image4", .kind = ControlKind::kPicture, .bounds = {400, 8, 105, 89}, .caption = "",
     .transparent = true, .parent = "Panel1", .stretch = true},
    {.name = "OKButton", .kind = ControlKind::kButton, .bounds = {215, 372, 75, 25}, .caption = "OK",
     .defaultButton = true, .id = kAboutOk},
};

// In tab order. The preview is drawn at (0, 0), 71 x 96, left of the buttons, above the scroll bar.
constexpr ControlLayout kChangeDeckControls[] = {
    {.name = "ScrollBar1", .kind = ControlKind::kScrollBar, .bounds = {8, 184, 265, 17}, .id = kDeckScrollBar1,
     .rangeMin = 0, .rangeMax = 11},
    {.name = "Button1", .kind = ControlKind::kButton, .bounds = {280, 8, 137, 33}, .caption = "Save",
     .defaultButton = true, .id = kDeckButton1},
    {.name = "CheckBox1", .kind = ControlKind::kCheckBox, .bounds = {88, 216, 113, 17}, .caption = "Random &Back",
     .id = kDeckCheckBox1},
    {.name = "Button2", .kind = ControlKind::kButton, .bounds = {280, 48, 137, 33}, .caption = "&Reset", .id = kDeckButton2},
    {.name = "Button3", .kind = ControlKind::kButton, .bounds = {280, 88, 137, 33}, .caption = "Br&owse", .id = kDeckButton3},
    {.name = "Button4", .kind = ControlKind::kButton, .bounds = {280, 128, 137, 33}, .caption = "&Go Online",
     .id = kDeckButton4},
    {.name = "Button5", .kind = ControlKind::kButton, .bounds = {280, 168, 137, 33}, .caption = "Close", .id = kDeckButton5},
    {.name = "Button6", .kind = ControlKind::kButton, .bounds = {280, 208, 137, 33}, .caption = "&Custom Back",
     .id = kDeckButton6},
};

}  // namespace

const WindowLayout kInputQueryLayout{
    .className = "TInputQueryForm",
    .objectName = "InputQueryForm",
    .caption = "",
    .bounds = {0, 0, 249, 93},
    .clientSized = true,
    .placement = Placement::kScreenCentre,
    .border = Border::kDialog,
    .colour = kButtonFace,
    .font = {"MS Shell Dlg", 13, false, kWindowText},
    .controls = kInputControls,
};

const WindowLayout kChangeDeckLayout{
    .className = "TChangeDeckWnd",
    .objectName = "ChangeDeckWnd",
    .caption = "Change Deck",
    .bounds = {200, 100, 427, 273},
    .clientSized = true,
    .border = Border::kDialog,
    .colour = kButtonFace,
    .font = {"System", 13, false, kWindowText},
    .controls = kChangeDeckControls,
};

const WindowLayout kAboutLayout{
    .className = "TAboutBox",
    .objectName = "AboutBox",
    .caption = "About",
    .bounds = {0, 0, 525, 405},
    .clientSized = true,
    .placement = Placement::kScreenCentre,
    .border = Border::kDialog,
    .colour = kButtonFace,
    .font = {"MS Sans Serif", 11, false, kWindowText},
    .controls = kAboutControls,
};

}  // namespace pelmor::ui::layouts
