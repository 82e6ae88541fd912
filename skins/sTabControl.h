// TsCustomTabControl: the system's tab control window ("SysTabControl32")
// with a tab list, a cache of tab rectangles, and the rules of its options.
//
// The window keeps the tabs, lays them out, hit-tests and paints them; the
// control adds the tab list (TsTabStrings, over the wide TCM_* messages with
// Windows-1251 text), the tab cache and its row layout (geometry for a skin,
// and the hit test), OnChanging / OnChange around the user's tab changes,
// and accelerator characters. While there is no window the tabs, their item
// objects and the selection are kept by the control and handed to the next
// window, so recreating it (a change of MultiLine, TabPosition, TabWidth or
// OwnerDraw, or BiDiMode, which mirrors the tabs) loses nothing. The window
// always draws from the bound image list's present handle: a list that
// changes (a new size makes a new one) is handed to it again, and a freed
// list is taken away from it.
//
// Its style object is CommonData (kind 141, with an image; the skin section
// defaults to the class name): every message is offered to it first, it
// answers the style query and the library's messages, and it notes focus and
// mouse-over. The library's layout message rebuilds the tab rows.
//
// No skin is ever loaded, so the skin's own painting and its own keyboard
// and mouse switching are not here: the window class does both.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "classlib/StringList.h"
#include "skins/sCommonDataCore.h"
#include "skins/sStyleSimply.h"
#include "skins/sTabControlCore.h"

namespace skins {

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TDrawTabEvent =
    std::function<void(class TsCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TsCustomTabControl : public TWinControl, protected TTabHost, public ISkinnedControl {
 public:
  explicit TsCustomTabControl(TComponent* AOwner);
  ~TsCustomTabControl() override;

  TStrings* Tabs() { return tabs_.get(); }
  // The selected tab's window index, -1 for none.
  int TabIndex();
  virtual void SetTabIndex(int v);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool v);
  TTabPosition TabPosition() const { return tab_position_; }
  void SetTabPosition(TTabPosition v);
  int TabWidth() const { return tab_width_; }
  void SetTabWidth(int v);
  int TabHeight() const { return tab_height_; }
  void SetTabHeight(int v);
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool v);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  TCanvas* Canvas() { return &canvas_; }
  TsCommonData* CommonData() const { return common_data_.get(); }
  TsCommonData* SkinCommonData() override { return common_data_.get(); }
  void AfterConstruction() override;

  int RowCount();
  // The window's rectangle of tab Index.
  TRect TabRect(int Index);
  // The area left to the pages (the client less the tabs, top + 2).
  TRect DisplayRect();
  // The pages' area and the tab strip in client coordinates.
  TRect PageArea();
  TRect TabStripArea();
  // The tab at a client point (window index), -1 for none.
  int IndexOfTabAt(int X, int Y);
  const TTabCache& TabCache() const { return cache_; }
  // Rebuilds the cache and its rows from the window.
  void RebuildTabCache();
  void LayoutTabRows();

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TDrawTabEvent OnDrawTab;
  TTabGetImageEvent OnGetImageIndex;

 protected:
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

  virtual bool CanChange();
  virtual void Change();
  virtual bool CanShowTab(int TabIndex) { return true; }
  virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
  virtual int GetImageIndex(int TabIndex);
  // A new window gets its tabs: those kept while there was none.
  virtual void RestoreTabs();
  // The window's tabs changed: cache, layout, the children's area.
  virtual void TabsChanged() override;

  // TTabHost: the window's items, or the kept ones while there is no window.
  int TabWindowCount() override;
  bool TabWindowClear() override;
  bool TabWindowDelete(int Index) override;
  bool TabWindowText(int Index, std::string& Text) override;
  bool TabWindowObject(int Index, TObject*& Object) override;
  bool TabWindowSetText(int Index, const std::string& Text, int Image) override;
  bool TabWindowSetObject(int Index, TObject* Object) override;
  bool TabWindowInsert(int Index, const std::string& Text, int Image) override;
  void TabWindowRedraw(bool Redraw) override;
  int TabImageIndex(int Index) override { return GetImageIndex(Index); }
  void TabsUpdated() override;

 private:
  // Tabs read right to left, and a side's tabs swap sides, with the
  // control's BiDiMode.
  bool RightToLeft() const { return UseRightToLeftReading(); }
  void PushTabSize();
  // The window draws from the bound list's present handle (or none).
  void PushImageList();
  void RecreateKeeping();
  // An accelerator: the first tab whose caption holds it and that may be
  // shown becomes the selected one (when OnChanging allows), then OnChange.
  bool DialogChar(TMessage& M);
  std::unique_ptr<TsTabStrings> tabs_;
  TControlCanvas canvas_{this};
  TImageList* images_ = nullptr;
  // Hears the bound list's changes: a resized list has a new handle.
  TChangeLink images_link_;
  // The tabs while there is no window: text and item object, and the selection.
  TStringList saved_tabs_;
  int saved_index_ = -1;
  bool multi_line_ = false, owner_draw_ = false;
  TTabPosition tab_position_ = TTabPosition::tpTop;
  int tab_width_ = 0, tab_height_ = 0;
  TTabCache cache_;
  // The owner interface outlives the common data that reaches it.
  std::unique_ptr<TsWinOwner> data_owner_;
  std::unique_ptr<TsCommonData> common_data_;
};

} // namespace skins
