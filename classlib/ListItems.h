// The items and columns of a report-style list view (TListView in ComCtrls.h).
//
// A list view is often used as a hidden store (a caption per item and a few
// sub-items), so the data live in these objects, not in the window: they can
// be filled and read before the window exists, while it is hidden, and after
// it is gone. While a window is attached, every change is mirrored to it.
#pragma once

#include "classlib/WinApi.h"

#include <memory>
#include <string>
#include <vector>

#include "classlib/ItemStrings.h"
#include "classlib/StringList.h"

class TListItems;

class TListItem : public TPersistent {
 public:
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  // The texts of columns 1, 2, ...; changes show at once.
  TStrings* SubItems() const { return sub_items_.get(); }
  int Index() const;
  TListItems* Owner() const { return owner_; }
  void* Data = nullptr;
  // Removes the item from its list and deletes it.
  void Delete();

 private:
  friend class TListItems;
  TListItems* owner_;
  std::string caption_;
  std::unique_ptr<TStringList> sub_items_;
};

class TListItems : public TPersistent {
 public:
  TListItems() = default;
  ~TListItems() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Item) const;
  void BeginUpdate();
  void EndUpdate();

  // Fills `wnd` (a list-view window) with every item; later changes follow.
  void Attach(HWND wnd);
  void Detach() {
    redraw_.Flush(wnd_);
    wnd_ = nullptr;
  }
  // The control's answer to TDeferredRedraw::Message().
  void FlushRedraw() { redraw_.Flush(wnd_); }

 private:
  friend class TListItem;
  void CheckIndex(int Index) const;
  void ShowItem(int Index, bool insert); // writes one row into the window
  void Touch() { redraw_.Touch(wnd_, updates_ > 0); }
  std::vector<TListItem*> items_;
  HWND wnd_ = nullptr;
  int updates_ = 0;
  TDeferredRedraw redraw_;
};

class TListColumns;

class TListColumn {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  int Index() const;

 private:
  friend class TListColumns;
  TListColumns* owner_ = nullptr;
  std::string caption_;
  int width_ = 50;
};

class TListColumns {
 public:
  ~TListColumns();
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int Index) const;
  TListColumn* Add();
  void Clear();
  void Attach(HWND wnd);
  void Detach() { wnd_ = nullptr; }

 private:
  friend class TListColumn;
  void ShowColumn(int Index, bool insert);
  std::vector<TListColumn*> columns_;
  HWND wnd_ = nullptr;
};
