// TsPageControl as a dock site (see sPageControl.h): a sheet per docked
// client, the tab following the client, and undocking by the tab.
#include "skins/sPageControl.h"

#include <commctrl.h>
#include <windowsx.h>

#include "classlib/DragDock.h"
#include "classlib/Forms.h"

namespace skins {

TsTabSheet* TsPageControl::SheetOfDockClient(TControl* Client) const {
  auto* sheet = Client ? dynamic_cast<TsTabSheet*>(Client->Parent()) : nullptr;
  return sheet && sheet->page_control_ == this && Client->HostDockSite() == this ? sheet : nullptr;
}

TControl* TsPageControl::DockClientOfSheet(TsTabSheet* Sheet) const {
  if (!Sheet) return nullptr;
  for (int i = 0; i < DockClientCount(); ++i)
    if (DockClients(i)->Parent() == Sheet) return DockClients(i);
  return nullptr;
}

void TsPageControl::ForgetDockSheet(TsTabSheet* Sheet) {
  if (Sheet == undock_page_) undock_page_ = nullptr;
  if (Sheet == new_dock_sheet_) new_dock_sheet_ = nullptr;
}

void TsPageControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State,
                             bool& Accept) {
  // A client goes onto a sheet of its own: the whole control shows where.
  Source->DockRect = classlib::ScreenBounds(this);
  if (OnDockOver) OnDockOver(this, Source, X, Y, State, Accept);
}

void TsPageControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, const TPoint& MousePos,
                                bool& CanDock) {
  // A client has one sheet here at most.
  CanDock = Client->HostDockSite() != this;
  TsCustomTabControl::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
}

void TsPageControl::DoAddDockClient(TControl* Client, const TRect&) {
  auto* sheet = New<TsTabSheet>(this);
  new_dock_sheet_ = sheet;
  try {
    if (dynamic_cast<TCustomForm*>(Client))
      sheet->SetCaption(classlib::DockTabCaption(Client->Caption()));
    sheet->SetPageControl(this);
    Client->SetParent(sheet);
  } catch (...) {
    new_dock_sheet_ = nullptr;
    // The client is not the sheet's to take with it.
    if (Client->Parent() == sheet) Client->SetParent(nullptr);
    sheet->Free();
    throw;
  }
  new_dock_sheet_ = nullptr;
  sheet->SetTabVisible(Client->Visible());
  if (Client->Visible()) SetActivePage(sheet);
  Client->SetAlign(alClient);
}

bool TsPageControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
  if (!TsCustomTabControl::DoUnDock(NewTarget, Client)) return false;
  undock_page_ = SheetOfDockClient(Client);
  Client->SetAlign(alNone);
  return true;
}

void TsPageControl::DoRemoveDockClient(TControl* Client) {
  TsCustomTabControl::DoRemoveDockClient(Client);
  TsTabSheet* sheet = undock_page_;
  undock_page_ = nullptr;
  // Only a sheet the client has left goes (nothing else of the user's in it).
  if (!sheet || sheet->ControlCount() > 0) return;
  if (sheet == active_) SelectNextPage(true);
  sheet->Free();
}

void TsPageControl::DockClientChanged(TControl* Client, UINT Msg) {
  TsTabSheet* sheet = SheetOfDockClient(Client);
  if (!sheet) return;
  if (Msg == CM_TEXTCHANGED)
    sheet->SetCaption(classlib::DockTabCaption(Client->Caption()));
  else if (Msg == CM_VISIBLECHANGED)
    sheet->SetTabVisible(Client->Visible());
}

bool TsPageControl::DockTabMessage(TMessage& M) {
  if (!DockSite() || (M.Msg != WM_LBUTTONDOWN && M.Msg != WM_LBUTTONDBLCLK)) return false;
  const int tab = IndexOfTabAt(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
  TControl* client = DockClientOfSheet(static_cast<TsTabSheet*>(pages_.PageOfTab(tab)));
  if (!client) return false;
  if (M.Msg == WM_LBUTTONDBLCLK) {
    client->ManualDock(nullptr); // floats where it floated before
    return true;
  }
  const TLifeToken life = LifeToken();
  TsCustomTabControl::HandleMessage(M); // the tab is chosen as any press chooses it
  // Buttons are not dragged: only tabs are.
  if (life && HandleAllocated() && !(GetWindowLongPtrW(Handle(), GWL_STYLE) & TCS_BUTTONS))
    classlib::BeginDragCaptured(client);
  return true;
}

} // namespace skins
