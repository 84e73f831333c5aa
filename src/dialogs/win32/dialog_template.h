// A dialog of the description as the Windows dialog manager takes it from memory
// (CreateDialogIndirectParamW): an extended dialog template, DLGTEMPLATEEX with one
// DLGITEMTEMPLATEEX per control, in the system's dialog font. Plain C++ without <windows.h>, so
// that the tests read it back on any system.
#pragma once

#include <cstdint>
#include <vector>

#include "dialogs/dialog_description.h"

namespace mapbasis {

// The template's 16-bit words, little-endian as Windows reads them on x86, starting on a 32-bit
// boundary as every allocation does. Texts are UTF-16; a picture names its bitmap by number, which
// the dialog manager loads from the module the dialog is made for.
std::vector<std::uint16_t> BuildDialogTemplate(const DialogDescription& dialog);

// The window styles the template gives, by the values of the Windows headers.
namespace win32_style {
inline constexpr std::uint32_t kChild = 0x40000000, kVisible = 0x10000000, kPopup = 0x80000000;
inline constexpr std::uint32_t kBorder = 0x00800000, kCaption = 0x00C00000, kSysMenu = 0x00080000;
inline constexpr std::uint32_t kTabStop = 0x00010000, kVScroll = 0x00200000;
// The dialog: DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS), DS_MODALFRAME, DS_CENTER.
inline constexpr std::uint32_t kShellFont = 0x48, kModalFrame = 0x80, kCenter = 0x800;
// Statics: SS_CENTER, SS_BITMAP, SS_REALSIZECONTROL, SS_NOPREFIX, SS_ENDELLIPSIS.
inline constexpr std::uint32_t kStaticCenter = 0x1, kStaticBitmap = 0xE;
inline constexpr std::uint32_t kRealSizeControl = 0x40, kNoPrefix = 0x80, kEndEllipsis = 0x4000;
// BS_DEFPUSHBUTTON, BS_GROUPBOX; CBS_DROPDOWNLIST; ES_AUTOHSCROLL, ES_READONLY.
inline constexpr std::uint32_t kDefaultButton = 0x1, kGroupBox = 0x7, kDropDownList = 0x3;
inline constexpr std::uint32_t kAutoHScroll = 0x80, kReadOnly = 0x800;
// The predefined classes, by their atoms.
inline constexpr std::uint16_t kButtonClass = 0x80, kEditClass = 0x81, kStaticClass = 0x82;
inline constexpr std::uint16_t kComboBoxClass = 0x85;
}  // namespace win32_style

}  // namespace mapbasis
