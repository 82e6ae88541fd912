// Docking (see DragDock.h): the docking members of TControl and TWinControl,
// the dock manager, and the small window a floating control lives in.
#include "classlib/DragDock.h"

#include <algorithm>

#include "classlib/Forms.h"

namespace classlib {
TAlign AlignOfDockZone(TDockZone zone) {
  switch (zone) {
    case TDockZone::Left: return alLeft;
    case TDockZone::Top: return alTop;
    case TDockZone::Right: return alRight;
    case TDockZone::Bottom: return alBottom;
    case TDockZone::Client: break;
  }
  return alClient;
}

namespace {
TDockZone ZoneOfAlign(TAlign a) {
  switch (a) {
    case alLeft: return TDockZone::Left;
    case alTop: return TDockZone::Top;
    case alRight: return TDockZone::Right;
    case alBottom: return TDockZone::Bottom;
    default: return TDockZone::Client;
  }
}

// A site's client area on screen.
TRect ClientOnScreen(TWinControl* site) {
  const TPoint o = site->ClientOrigin();
  return Bounds(o.X, o.Y, site->ClientWidth(), site->ClientHeight());
}

// The small tool window a control that is not a form floats in; it goes
// when its client leaves.
class TFloatingDockHost : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  // Dropped on its own host window, a client just moves it.
  void GetSiteInfo(TControl* Client, TRect& InfluenceRect, const TPoint& MousePos,
                   bool& CanDock) override {
    CanDock = Client->HostDockSite() != this;
    TCustomForm::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
  }

 protected:
  void DoRemoveDockClient(TControl* Client) override {
    TCustomForm::DoRemoveDockClient(Client);
    if (DockClientCount() == 0) {
      Hide();
      Release();
    }
  }
};
} // namespace
} // namespace classlib

// --- TControl ---------------------------------------------------------------------------------

// A docking step of a control (undocking from its host first).
bool TControl::DockVia(TWinControl* site, TDragDockObject& d, const TPoint& p) {
  if (host_dock_site_ && !host_dock_site_->DoUnDock(site, this)) return false;
  const TLifeToken life = LifeToken();
  if (!parent_) undock_rect_ = classlib::ScreenBounds(this);
  const TPoint cp = site->ScreenToClient(p);
  site->DockDrop(&d, cp.X, cp.Y);
  return static_cast<bool>(life);
}

bool TControl::Floating() const {
  if (host_dock_site_) return dynamic_cast<classlib::TFloatingDockHost*>(host_dock_site_) != nullptr;
  return parent_ == nullptr;
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
  if (!NewDockSite) {
    TRect r = undock_rect_;
    if (r.Width() <= 0 || r.Height() <= 0) r = classlib::ScreenBounds(this);
    return ManualFloat(r);
  }
  const TRect site = classlib::ScreenBounds(NewDockSite);
  const TPoint centre = Point((site.Left + site.Right) / 2, (site.Top + site.Bottom) / 2);
  bool can = true;
  TRect influence = site;
  NewDockSite->GetSiteInfo(this, influence, centre, can);
  if (!can) return false;
  TDragDockObject d(this);
  d.DropOnControl = DropControl;
  d.DropAlign = ControlSide;
  d.Floating = Floating();
  d.DockRect = classlib::ClientOnScreen(NewDockSite);
  if (TDockManager* m = NewDockSite->DockManager())
    m->PositionDockRect(this, DropControl, ControlSide, d.DockRect);
  return DockVia(NewDockSite, d, centre);
}

bool TControl::ManualFloat(const TRect& ScreenPos) {
  // Floating already in a host window of its own: the window moves.
  if (auto* own = dynamic_cast<classlib::TFloatingDockHost*>(host_dock_site_)) {
    own->SetBounds(ScreenPos.Left, ScreenPos.Top, own->Width(), own->Height());
    return true;
  }
  if (host_dock_site_ && !host_dock_site_->DoUnDock(nullptr, this)) return false;
  const TLifeToken life = LifeToken();
  if (auto* form = dynamic_cast<TCustomForm*>(this)) {
    Dock(nullptr, ScreenPos);
    if (!life) return false;
    form->SetBounds(ScreenPos.Left, ScreenPos.Top, ScreenPos.Width(), ScreenPos.Height());
    if (visible_) {
      ShowWindow(form->Handle(), SW_SHOW);
      SetForegroundWindow(form->Handle());
    }
  } else {
    auto* host = New<classlib::TFloatingDockHost>(Application);
    host->SetBorderStyle(bsSizeToolWin);
    host->SetDockSite(true);
    host->SetCaption(Caption());
    host->SetBounds(ScreenPos.Left, ScreenPos.Top, ScreenPos.Width(), ScreenPos.Height());
    host->SetClientSize(ScreenPos.Width(), ScreenPos.Height());
    Dock(host, host->ClientRect());
    if (!life) return false;
    SetAlign(alClient);
    host->Show();
  }
  undock_rect_ = ScreenPos;
  return true;
}

void TControl::Dock(TWinControl* NewDockSite, const TRect& ARect) {
  TWinControl* old = host_dock_site_;
  // The control leaves the old place first: its host may free the window
  // that held it.
  if (parent_ && parent_ != NewDockSite) {
    parent_->RemoveControl(this);
  } else if (!parent_ && NewDockSite) {
    // A window of its own becomes a child window: made anew.
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->DestroyHandle();
  }
  if (old && old != NewDockSite) {
    host_dock_site_ = nullptr;
    auto& list = old->dock_clients_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (old->dock_manager_) old->dock_manager_->RemoveControl(this);
    old->DoRemoveDockClient(this);
  }
  if (!NewDockSite) return;
  NewDockSite->DoAddDockClient(this, ARect);
  if (old == NewDockSite) return; // placed anew on the same site
  host_dock_site_ = NewDockSite;
  NewDockSite->dock_clients_.push_back(this);
}
// --- TWinControl --------------------------------------------------------------------------

void TWinControl::SetDockSite(bool v) {
  dock_site_ = v;
  if (!v) dock_manager_.reset();
}

void TWinControl::SetUseDockManager(bool v) {
  use_dock_manager_ = v;
  if (!v) dock_manager_.reset();
}

TDockManager* TWinControl::DockManager() {
  if (!dock_site_ || !use_dock_manager_) return nullptr;
  if (!dock_manager_) dock_manager_ = std::make_unique<TDockManager>(this);
  return dock_manager_.get();
}

TControl* TWinControl::DockClients(int Index) const {
  if (Index < 0 || Index >= DockClientCount()) throw EListError("Dock client index out of bounds");
  return dock_clients_[static_cast<size_t>(Index)];
}

void TWinControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State,
                           bool& Accept) {
  const TRect client = classlib::ClientOnScreen(this);
  const TPoint p = ClientToScreen(Point(X, Y));
  if (TDockManager* m = DockManager()) {
    Source->DropAlign = classlib::AlignOfDockZone(classlib::DockZoneAt(client, p));
    m->PositionDockRect(Source->Control(), nullptr, Source->DropAlign, Source->DockRect);
  } else {
    TControl* c = Source->Control();
    TRect r = Bounds(p.X, p.Y, c->Width(), c->Height());
    IntersectRect(r, r, client);
    Source->DockRect = r;
    Source->DropAlign = alNone;
  }
  if (OnDockOver) OnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, int X, int Y) {
  TControl* c = Source->Control();
  const TPoint a = ScreenToClient(Point(Source->DockRect.Left, Source->DockRect.Top));
  c->Dock(this, Bounds(a.X, a.Y, Source->DockRect.Width(), Source->DockRect.Height()));
  if (TDockManager* m = DockManager()) m->InsertControl(c, Source->DropAlign, Source->DropOnControl);
  if (OnDockDrop) OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
  bool allow = true;
  if (OnUnDock) OnUnDock(this, Client, NewTarget, allow);
  return allow;
}

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, const TPoint& MousePos,
                              bool& CanDock) {
  if (OnGetSiteInfo) OnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
  Client->SetParent(this);
  Client->SetBounds(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
}

void TWinControl::DoRemoveDockClient(TControl*) {}

// --- TDockManager -------------------------------------------------------------------------

void TDockManager::InsertControl(TControl* Control, TAlign InsertAt, TControl*) {
  Control->SetAlign(InsertAt == alNone ? alClient : InsertAt);
  ResetBounds(false);
}

void TDockManager::RemoveControl(TControl*) { ResetBounds(false); }

void TDockManager::PositionDockRect(TControl*, TControl*, TAlign InsertAt, TRect& DockRect) {
  DockRect = classlib::DockZoneRect(classlib::ClientOnScreen(site_),
                                    classlib::ZoneOfAlign(InsertAt));
}

void TDockManager::ResetBounds(bool) { site_->Realign(); }
