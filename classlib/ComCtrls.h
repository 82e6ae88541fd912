// The common controls: TListView (report style: item captions and
// sub-items), TPageControl with its TTabSheet pages, and TTrackBar.
//
// Thin wrappers of the Windows common controls (SysListView32,
// SysTabControl32, msctls_trackbar32). A list view keeps its items in
// TListItems, so it also serves as a hidden store that never needs a window.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/ListItems.h"
#include "classlib/StdCtrls.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;

  TListItems* Items() { return &items_; }
  TListColumns* Columns() { return &columns_; }
  // Only the report style is drawn as such; the others show a plain list.
  TViewStyle ViewStyle() const { return view_style_; }
  void SetViewStyle(TViewStyle v);
  bool ShowColumnHeaders() const { return show_headers_; }
  void SetShowColumnHeaders(bool v);
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool v);
  // The selected item's index, or -1.
  int ItemIndex();
  void SetItemIndex(int v);
  TListItem* Selected();

  // Another item became the selected one (by the user or by SetItemIndex).
  // OnDblClick runs on a double click and on Enter with an item selected.
  TNotifyEvent OnSelectItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleMessage(TMessage& Message) override;

 private:
  TListItems items_;
  TListColumns columns_;
  TViewStyle view_style_ = vsIcon;
  bool show_headers_ = true, row_select_ = false;
  int item_index_ = -1; // kept while there is no window
};

class TPageControl;

// One page of a page control; its controls show while it is the active page.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TPageControl* v);
  int PageIndex() const;
  // Position among the visible tabs, or -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  void SetParent(TWinControl* AParent) override;

 protected:
  void HandleMessage(TMessage& Message) override;

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
};

// Tabs above a stack of pages. OnChanging may refuse a change the user asks
// for; OnChange runs after the user changed the page. Setting ActivePage from
// code runs neither.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* v);
  int ActivePageIndex() const;
  void SetActivePageIndex(int v);
  // The area the pages cover, in client coordinates.
  TRect DisplayRect();

  TNotifyEvent OnChange;
  std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* p);
  void RemovePage(TTabSheet* p);
  void UpdateTabs(); // rebuilds the window's tabs from the pages
  void ShowActive(); // the active page shows, the others hide
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

// A slider. OnChange runs whenever Position changes, whether the user moved
// the thumb or code set it (an equaliser applies the value either way).
class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* AOwner);

  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  int Min() const { return min_; }
  void SetMin(int v) { SetRange(v, max_ < v ? v : max_); }
  int Max() const { return max_; }
  void SetMax(int v) { SetRange(min_ > v ? v : min_, v); }
  void SetRange(int AMin, int AMax);
  int Position();
  void SetPosition(int v);
  // Ticks every Frequency positions (tsAuto).
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark v);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle v);
  int ThumbLength() const { return thumb_length_; }
  void SetThumbLength(int v);
  int LineSize() const { return line_size_; }
  void SetLineSize(int v);
  int PageSize() const { return page_size_; }
  void SetPageSize(int v);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;
  virtual void Changed();

 private:
  void ApplyAll();
  TTrackBarOrientation orientation_ = trHorizontal;
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  TTickMark tick_marks_ = tmBottomRight;
  TTickStyle tick_style_ = tsAuto;
  int thumb_length_ = 20, line_size_ = 1, page_size_ = 2;
};
