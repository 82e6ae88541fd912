// The portable half of the tab control: the tab list (TsTabStrings) over a
// small tab-window interface, the rules of the tab options (MultiLine,
// TabPosition, TabWidth, TabHeight) with their messages, the window style
// they make, and the geometry of the tab cache (row layout, hit test, the
// page area and tab strip around the display rectangle).
//
// The Windows control implements TTabHost with the wide TCM_* messages of
// "SysTabControl32"; tests implement it in memory. Every list operation that
// the window refuses raises EListError with the message of that operation,
// and leaves the tabs as the window has them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/StringList.h"
#include "classlib/Types.h"

namespace skins {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// What the tab list needs of its control: the window's items and the
// control's reactions. Text is Windows-1251 here; the window side converts.
class TTabHost {
 public:
  virtual ~TTabHost() = default;
  virtual int TabWindowCount() = 0;
  virtual bool TabWindowClear() = 0;
  virtual bool TabWindowDelete(int Index) = 0;
  virtual bool TabWindowText(int Index, std::string& Text) = 0;
  virtual bool TabWindowObject(int Index, TObject*& Object) = 0;
  // Image is the tab's image index (from TabImageIndex).
  virtual bool TabWindowSetText(int Index, const std::string& Text, int Image) = 0;
  virtual bool TabWindowSetObject(int Index, TObject* Object) = 0;
  virtual bool TabWindowInsert(int Index, const std::string& Text, int Image) = 0;
  virtual void TabWindowRedraw(bool Redraw) = 0;
  // The image index the control gives tab Index.
  virtual int TabImageIndex(int Index) = 0;
  // The tabs changed: rebuild the cache, let the window re-lay them.
  virtual void TabsChanged() = 0;
  // An update ended: the tabs changed, and the look refreshes.
  virtual void TabsUpdated() = 0;
};

// The tab list of one tab control: reads and writes the window's items.
class TsTabStrings : public TStrings {
 public:
  explicit TsTabStrings(TTabHost* Host) : host_(Host) {}

  int Count() const override;
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  // True while an update is open (BeginUpdate .. EndUpdate).
  bool Updating() const { return updating_; }

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TTabHost* host_;
  bool updating_ = false;
};

// --- Options and their rules ----------------------------------------------------------------

// Raise EInvalidOperation with the messages of the tab control.
void CheckMultiLine(bool MultiLine, TTabPosition Position);
void CheckTabPosition(TTabPosition Position, TTabStyle Style);
// "%s property out of range" with ClassName for a negative width or height.
void CheckTabSize(int Value, const std::string& ClassName);

struct TTabWindowOptions {
  TTabPosition Position = TTabPosition::tpTop;
  TTabStyle Style = TTabStyle::tsTabs;
  bool RightToLeft = false, TabStop = true, MultiLine = false, OwnerDraw = false;
  bool RaggedRight = false, MultiSelect = false, HotTrack = false, ScrollOpposite = false;
  bool Designing = false;
  int TabWidth = 0;
};
// The TCS_* bits of a tab window with these options.
uint32_t TabWindowStyle(const TTabWindowOptions& Options);

// --- The tab cache ---------------------------------------------------------------------------

struct TTabRecord {
  std::string Caption;
  int Index = 0;       // the tab's index in the window
  int ImageIndex = -1;
  TRect R;             // from the window, then placed in its row
  int Width = 0, Height = 0;
  int Row = 0;
  bool Placed = false;
};
using TTabCache = std::vector<TTabRecord>;

// Places the cached tabs in rows from their window rectangles (Rects[i] for
// cache[i]); RowCount is the window's, Selected the selected window index.
// The selected tab's row is moved to the end of the cache as row 1.
void LayoutRows(TTabCache& Cache, const std::vector<TRect>& Rects, int RowCount,
                TTabPosition Position, int Width, int Height, int Selected);
// The window index of the first cached tab that holds P, or -1.
int HitTest(const TTabCache& Cache, const TPoint& P);
// The cache position of window index Index, or -1.
int CacheIndexOf(const TTabCache& Cache, int Index);

// The pages' area of a control Bounds (client coordinates) whose display
// rectangle is Display; the whole control while there are no tabs.
TRect PageArea(const TRect& Bounds, const TRect& Display, TTabPosition Position, bool HasTabs);
// The rest of the control on the tab side.
TRect TabStripArea(const TRect& Bounds, const TRect& Display, TTabPosition Position);

} // namespace skins
