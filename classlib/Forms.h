// Forms and the application: TForm (a top-level window built from its
// layout), TApplication (the message loop, the hidden application window,
// the error box) and TScreen (work area, cursors, the list of forms).
//
// Layout convention: a form class overrides CreateLayout (in UnitN.form.cpp)
// to create its components, set their properties and bind their handlers.
// New<TForm1>(Owner) or Application->CreateForm(Form1) then runs, in order:
// the constructors, CreateLayout in the loading state, Loaded on every
// component, OnCreate; a form whose layout says Visible is shown after that.
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <string>
#include <vector>

#include "classlib/Controls.h"

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void AfterConstruction() override;

  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons v);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  bool AlphaBlend() const { return alpha_blend_; }
  void SetAlphaBlend(bool v);
  int AlphaBlendValue() const { return alpha_value_; }
  void SetAlphaBlendValue(int v);
  // Fits the client area to the controls (their right and bottom edges).
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState v);

  TRect ClientRect() override;
  void SetClientSize(int w, int h) override;
  // An outer size set after a client size replaces it, also before the
  // window exists.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool v) override;
  void SetFocus() override;
  // Shows the form and brings it to the front, also when it was already
  // shown under another window.
  void Show();

  void Close();
  bool CloseQuery();
  // Shows the form, runs messages until ModalResult is set (or the
  // application ends), hides it and returns the result.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult v) { modal_result_ = v; }
  bool Modal() const { return modal_; }
  // Frees the form once the messages already queued are handled.
  void Release();
  bool Active() const { return active_; }

  TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate, OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  // The form's layout: components, properties, handler bindings.
  virtual void CreateLayout() {}
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void BeforeDestruction() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;

 private:
  void FrameSize(int& dx, int& dy);
  void ApplyPosition();
  void ApplyAlpha();
  void ShowWindowNow();
  TFormBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_ = {biSystemMenu, biMinimize, biMaximize};
  TFormStyle form_style_ = fsNormal;
  TPosition position_ = poDesigned;
  bool alpha_blend_ = false;
  int alpha_value_ = 255;
  bool auto_size_ = false;
  bool positioned_ = false;
  TModalResult modal_result_ = mrNone;
  bool modal_ = false;
  bool active_ = false;
  int client_w_ = -1, client_h_ = -1; // asked for before the window exists
  bool sizing_client_ = false;        // SetClientSize is setting the bounds
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TWindowHook = std::function<bool(TMessage& Message)>;

namespace classlib {
// The window procedures of the application's hidden window and of its hint.
LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HintWndProc(HWND, UINT, WPARAM, LPARAM);
} // namespace classlib

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Creates the hidden application window and prepares the common controls.
  void Initialize();
  // Creates a form of class T owned by the application. Ref is set before the
  // form's layout and OnCreate run; the first form becomes the main form.
  template <class T>
  void CreateForm(T*& Ref) {
    Ref = new T(this);
    try {
      AdoptForm(Ref);
    } catch (...) {
      T* p = Ref;
      Ref = nullptr;
      p->Free();
      throw;
    }
  }
  // Shows the main form (if ShowMainForm) and runs the message loop until
  // Terminate; then frees the forms.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message already waiting, then returns.
  void ProcessMessages();
  // Handles one message, or waits for one when there is none.
  void HandleMessage();
  // Shows the current exception in the error box (nothing for EAbort), or
  // passes it to OnException.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = MB_OK);
  void Minimize();
  void Restore();

  HWND Handle();
  TCustomForm* MainForm() const { return main_form_; }
  bool ShowMainForm = true;
  std::string Title();
  void SetTitle(const std::string& v);
  std::string ExeName() const;
  int HintPause = 500, HintHidePause = 2500;
  bool ShowHint = true;
  // Hides the tip showing now; the control under the mouse shows its hint
  // (read anew) after HintPause, as on entering it. For a control whose hint
  // follows what the mouse is over inside it.
  void CancelHint();
  // The background of the hints that controls show themselves.
  TColor HintColor = clInfoBk;

  // Sees the application window's messages first; true marks one handled.
  int HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(int Id);

  TExceptionEvent OnException;
  TMessageEvent OnMessage;
  TNotifyEvent OnIdle;

 private:
  friend class TCustomForm;
  friend LRESULT CALLBACK classlib::AppWndProc(HWND, UINT, WPARAM, LPARAM);
  void AdoptForm(TCustomForm* Form);
  bool ProcessMessage(MSG& Msg);
  void Idle();
  LRESULT AppMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  void HintTick();
  void ShowHintFor(TControl* c);
  void HideHint();
  HWND handle_ = nullptr;
  TCustomForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::string title_;
  std::vector<std::pair<int, TWindowHook>> hooks_;
  int next_hook_ = 1;
  std::vector<HWND> minimized_forms_;
  TControl* hint_control_ = nullptr;  // the control whose tip is waiting or shown
  TControl* mouse_control_ = nullptr; // the control the mouse is in, hint or not
  HWND hint_window_ = nullptr;
  std::string hint_text_;
  static void HintHook(TControl* c, bool entered);
  friend LRESULT CALLBACK classlib::HintWndProc(HWND, UINT, WPARAM, LPARAM);
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().Left; }
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  TRect DesktopRect() const;
  int PixelsPerInch() const { return 96; }
  // The cursor shown over every control while not crDefault.
  TCursor Cursor() const { return classlib::ScreenCursorOverride(); }
  void SetCursor(TCursor c) { classlib::SetScreenCursorOverride(c); }
  HCURSOR Cursors(TCursor Index) const { return classlib::CursorHandleOf(Index); }
  void SetCursors(TCursor Index, HCURSOR Handle) { classlib::RegisterCursor(Index, Handle); }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
  TCustomForm* ActiveForm() const { return active_form_; }

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
  TCustomForm* active_form_ = nullptr;
};

extern TApplication* Application;
extern TScreen* Screen;
