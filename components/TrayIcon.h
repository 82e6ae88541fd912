// TTrayIcon: an icon with a tooltip in the taskbar's notification area. It
// turns the shell's callbacks into mouse, click and balloon events, pops up
// its popup menu, can cycle through the icons of an image list and can hide
// the main window to the tray.
//
// All tray icons share one hidden window, TTrayIconHandler, that receives the
// shell's callback message. Icons are told apart by a small id of their own
// (the shell's id field is 32-bit), looked up among the live icons, never
// cast back to an object. The shell's "TaskbarCreated" broadcast after a
// restart of the shell reaches each icon through the application window.
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <memory>
#include <shellapi.h>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "components/SimpleTimer.h"
#include "components/TrayCore.h"

#include <commctrl.h>

#include "classlib/Forward.h"

class TTrayIcon : public TComponent {
 public:
  using TCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;
  using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;

  // The callback message the shell sends to the handler window.
  static constexpr UINT kCallbackMessage = 0x800;

  explicit TTrayIcon(TComponent* AOwner);
  ~TTrayIcon() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v);
  // The icon shown. Changing the icon object (a new handle, a load) shows
  // the change in the tray at once.
  TIcon* Icon() const { return icon_.get(); }
  // Copies v (null: no icon) into Icon, then shows it.
  void SetIcon(TIcon* v);
  bool IconVisible() const { return icon_visible_; }
  void SetIconVisible(bool v);
  // The icons to cycle through; a list being freed is let go.
  TImageList* IconList() const { return icon_list_; }
  void SetIconList(TImageList* v);
  int IconIndex() const { return icon_index_; }
  void SetIconIndex(int v);
  bool CycleIcons() const { return cycle_icons_; }
  void SetCycleIcons(bool v);
  unsigned CycleInterval() const { return cycle_interval_; }
  void SetCycleInterval(unsigned v);
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* v);
  bool LeftPopup() const { return left_popup_; }
  void SetLeftPopup(bool v) { left_popup_ = v; }
  bool WantEnterExitEvents() const { return want_enter_exit_; }
  void SetWantEnterExitEvents(bool v);
  bool MinimizeToTray() const { return minimize_to_tray_; }
  void SetMinimizeToTray(bool v) { minimize_to_tray_ = v; }
  bool DesignPreview() const { return design_preview_; }
  void SetDesignPreview(bool v);

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter, OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  virtual bool LoadDefaultIcon() { return true; }
  virtual bool ShowIcon();
  virtual bool HideIcon();
  virtual bool ModifyIcon();

  void Loaded() override;

  // Dispatchers: each raises its event when assigned.
  void Click();
  void DblClick();
  void CycleIcon();
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseMove(TShiftState Shift, int X, int Y);
  void MouseEnter();
  void MouseExit();
  // Hides the main window and shows the icon.
  void DoMinimizeToTray();
  // Shows the popup menu at the cursor (when it has one with AutoPopup).
  void PopupAtCursor();

  // The shell record as last filled (tests and diagnostics).
  const NOTIFYICONDATAW& IconData() const { return icon_data_; }
  // The icon's id with the shell and the handler window.
  UINT TrayId() const { return icon_data_.uID; }
  // The window that receives the shell's callbacks for every tray icon.
  static HWND HandlerWindow();
  // The shell call; tests may watch it (and pass it on).
  static BOOL(WINAPI* NotifyIcon)(DWORD Message, PNOTIFYICONDATAW Data);

  // A callback from the shell (message kCallbackMessage's LPARAM).
  void HandleCallback(UINT MouseMessage);
  // The message the shell broadcasts when it has (re)started, 0 where the
  // common controls are too old for the shell to send it.
  static UINT TaskbarCreatedMessage();
  // A refused add is tried again every kAddRetryMs, at most kAddRetries times.
  static constexpr unsigned kAddRetryMs = 500;
  static constexpr int kAddRetries = 20;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void RetryAdd();
  // The shell restarted: a visible icon is added again.
  void TaskbarCreated();
  // Changes the icon object without its change event.
  void ReplaceIcon(HICON h);
  friend class TTrayIconHandler;
  void FillIconData();
  bool Notify(DWORD message);
  HWND OwnerWindow() const;
  void HideMainForm();
  int IconCount() const;
  // Takes icon `index` of the list as the shown icon.
  void TakeListIcon(int index);
  void CycleTick();
  void ExitTick();
  static LRESULT CALLBACK OwnerWndProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void AppHook(UINT Msg, WPARAM WParam, LPARAM LParam);
  void SubclassOwner(HWND wnd);

  NOTIFYICONDATAW icon_data_{};
  bool enabled_ = true, show_hint_ = true, icon_visible_ = false, cycle_icons_ = false;
  bool left_popup_ = false, want_enter_exit_ = false, minimize_to_tray_ = false;
  bool design_preview_ = false, did_exit_ = true, setting_mdi_form_ = true, in_shell_ = false;
  std::string hint_;
  std::unique_ptr<TIcon> icon_;
  TImageList* icon_list_ = nullptr;
  int icon_index_ = 0;
  unsigned cycle_interval_ = 0;
  TPopupMenu* popup_menu_ = nullptr;
  POINT last_move_{};
  HWND owner_wnd_ = nullptr, app_wnd_ = nullptr;
  int app_hook_ = 0;
  std::unique_ptr<TSimpleTimer> cycle_timer_, click_timer_, exit_timer_, retry_timer_;
  int add_retries_ = 0;
  std::unique_ptr<components::TrayClickLogic> clicks_;
};
