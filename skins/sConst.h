// The skinned controls' shared vocabulary: the look enumerations every style
// and painter names, the control-kind codes each control stores in its style
// (and the fixed sets of kinds the style rules test), and the numbers of the
// library's own window messages. Portable: no window header is needed, so the
// rules that test kinds and messages run natively too.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/Set.h"

namespace skins {

// Bevel of an edit-like control (drawn with two colours).
enum class TsEditorBevel { ebNone, ebRaised, ebLowered, ebAsTopBorder, ebAsBottomBorder };
// Bevel of a painted control (shaded into its image).
enum class TsControlBevel { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };
// Where an edit's caption label sits.
enum class TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
enum class TsPredefinedBorders { pdBorder1, pdBorder2, pdBorder3, pdBorder4, pdBorder5, pdBorder6, pdCustom };
// What the hot look of an editor changes: its border, its colour.
enum class TModeSelectionItem { msBorder, msColor };
using TModeSelection = TSet<TModeSelectionItem>;
enum class TsDisabledKindItem { dkBlended, dkGrayed };
using TsDisabledKind = TSet<TsDisabledKindItem>;
enum class TCheckAreaLayout { calLeft, calRight };

// 0..100; the setters that take one hold it there.
using TPercent = uint8_t;
// A gradient in its text form ("c1;c2;percent;direction;0;..."), at most 255
// characters.
using TsGradientData = std::string;

// --- Control kinds ---------------------------------------------------------------
// Each control's constructor stores its kind in its style; codes above 255 are
// in none of the sets below.
namespace kind {
constexpr unsigned Edit = 3, CustomComboBox = 11, ComboBox = 13, CheckedControl = 31,
                   RadioButton = 33, Panel = 51, TabSheet = 57, CustomPanel = 68, GroupBox = 74,
                   ButtonControl = 91, Button = 93, TabControl = 141, TrackBar = 165;

constexpr bool In(unsigned k, unsigned lo, unsigned hi) { return k >= lo && k <= hi; }

// Never shows the hot look.
constexpr bool NeverHot(unsigned k) {
  return In(k, 51, 74) || k == 110 || In(k, 141, 161);
}
// Never gets a shadow.
constexpr bool NoShadow(unsigned k) {
  return k == 57 || k == 74 || k == 110 || k == 141 || k == 151;
}
// Paints its children's shadows into its own background.
constexpr bool ShadowHost(unsigned k) { return In(k, 51, 68) || k == 151; }
// With SoftControl, its window loses its four corner pixels.
constexpr bool SoftCorners(unsigned k) { return In(k, 1, 140) || In(k, 150, 200); }
// Its transparency also lightens its shadow.
constexpr bool SeeThrough(unsigned k) {
  return In(k, 51, 68) || In(k, 91, 95) || k == 141 || k == 151 || k == 161 || k == 165;
}
constexpr bool IsComboBox(unsigned k) { return In(k, 11, 15); }
constexpr bool IsChecked(unsigned k) { return In(k, 31, 33); }
constexpr bool IsButton(unsigned k) { return In(k, 91, 95); }
}  // namespace kind

// --- Messages ----------------------------------------------------------------------
// The library's own messages, and the window and class-library messages the
// styles answer (the same numbers as the system's and the class library's).
namespace msg {
// Asked of any control: a skinned one answers Result 1 and a non-zero WParam
// (1 painted style or common data, 14 custom editor style, 15 editor style).
constexpr unsigned GetStyle = 0xA000;
// Group messages: WParam names the group (the style's GroupIndex).
constexpr unsigned GroupFirst = 0xA001, GroupLast = 0xA414;
constexpr unsigned EditorGroupFirst = 0xA415, EditorGroupLast = 0xA432;
constexpr unsigned PaintGroupFirst = 0xA433, PaintGroupLast = 0xA464;
// LParam -1: the parent's image changed (the cache is out of date); 0: not.
constexpr unsigned ParentImageChanged = 0xA401;
constexpr unsigned SkinChanged = 0xA402, SkinRemoved = 0xA403, SkinForget = 0xA404;
constexpr unsigned Refresh = 0xA407;
// Asked of a parent: its image (answered through the typed interface).
constexpr unsigned ParentImage = 0xA408;
constexpr unsigned RefreshSection = 0xA409, RepaintSection = 0xA40A, Layout = 0xA40B;
constexpr unsigned EditSoftControl = 0xA415, EditColor = 0xA41F, EditBorderTop = 0xA421,
                   EditBorderBottom = 0xA422, EditBevel = 0xA423, EditSelColor = 0xA424,
                   EditBorderWidth = 0xA425, EditBorderBevel = 0xA426, EditShadowEnabled = 0xA429,
                   EditShadowColor = 0xA42A, EditShadowTransparency = 0xA42B,
                   EditShadowOffset = 0xA42C, EditShadowBlur = 0xA42D, EditShadowHost = 0xA42E,
                   EditCopyGroup = 0xA432;
constexpr unsigned PaintSoftControl = 0xA433, PaintColor = 0xA43D, PaintPicture = 0xA447,
                   PaintShadowEnabled = 0xA451, PaintShadowColor = 0xA452,
                   PaintShadowTransparency = 0xA453, PaintShadowOffset = 0xA454,
                   PaintShadowBlur = 0xA455, PaintShadowHost = 0xA456, PaintCopyGroup = 0xA464;
// Repaint-section also comes with this WParam whatever the group.
constexpr uintptr_t RepaintSectionGroup = 21;

// Window messages (WM_xxx).
constexpr unsigned Move = 0x0003, Size = 0x0005, SetFocus = 0x0007, KillFocus = 0x0008,
                   SetText = 0x000C, Paint = 0x000F, SysColorChange = 0x0015,
                   FontChange = 0x001D, WindowPosChanged = 0x0047, CtlColorListBox = 0x0134;
// The class library's control messages (CM_xxx).
constexpr unsigned ParentColorChanged = 0xB009, VisibleChanged = 0xB00B, EnabledChanged = 0xB00C,
                   MouseEnter = 0xB013, MouseLeave = 0xB014, Enter = 0xB01A, Exit = 0xB01B,
                   CmSysColorChange = 0xB024;
}  // namespace msg

}  // namespace skins
