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
};

}  // namespace pelmor::ui::layouts
