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
