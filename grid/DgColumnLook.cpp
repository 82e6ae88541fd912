// A column's look for the displays (see DgColumnLook.h).
#include "grid/DgColumnLook.h"

TDgColumnLook LookOf(const TDgCustomColumn& Column) {
  TDgColumnLook l;
  const TColumnHeader& h = *Column.Header();
  l.Header.Caption = h.Caption();
  l.Header.Color = h.Color();
  l.Header.Alignment = h.Alignment();
  l.Header.DisplayMode = h.DisplayMode();
  l.Header.Glyph = &h.Glyph()->Pixmap();
  l.HideArrow = h.HideArrow();
  l.MultiLine = h.MultiLine();
  l.Vertical = h.Orientation() == hoVertical;
  const TColumnFooter& f = *Column.Footer();
  l.Footer.Caption = f.Caption();
  l.Footer.Color = f.Color();
  l.Footer.Alignment = f.Alignment();
  l.Footer.DisplayMode = f.DisplayMode();
  l.Footer.Glyph = &f.Glyph()->Pixmap();
  l.FormatMask = f.FormatMask();
  l.FormatMaskKind = f.FormatMaskKind();
  l.TextBefore = f.TextBefore();
  l.TextAfter = f.TextAfter();
  l.Font = Column.Font();
  l.Color = Column.Color();
  l.Alignment = Column.Alignment();
  l.Sorted = Column.Sorted();
  l.Ascending = Column.SortKind() == skAscending;
  l.Place = static_cast<TDgColumnPlace>(Column.VisiblePlace());
  l.Pressed = Column.IsPressed();
  l.Hot = Column.IsHot();
  l.InputText = Column.InputText();
  l.InputCaption = Column.InputCaption();
  l.InputLocked = Column.InputMode() == 0;
  l.Current = Column.IsSelected();
  return l;
}
