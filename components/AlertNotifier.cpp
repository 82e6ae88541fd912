// The alert component: its messages, the popup it makes on first use, and
// the fades (AlertFader) on their own threads.
//
// A fade thread only ever calls SetLayeredWindowAttributes on the popup's
// window (made layered when it was created, on the GUI thread), so Show,
// which runs inside the audio thread's sent title message, never waits for
// it, and the destructor can stop and join it without a deadlock.
#include "components/AlertNotifier.h"

#include "classlib/ComObj.h"
#include "classlib/Forms.h"

void components::CopyGlyph(TBitmap& to, TBitmap* from) {
  if (from)
    to.Assign(from);
  else
    to.SetSize(0, 0);
}

// --- Messages -------------------------------------------------------------------------------

TMsgCollectionItem::TMsgCollectionItem(TCollection* Collection)
    : TCollectionItem(Collection), text_(new TStringList) {
  text_->OnChange = [this](TObject*) { Touched(); };
}

TMsgCollectionItem::~TMsgCollectionItem() {
  auto* c = static_cast<TMsgCollection*>(Collection());
  // The hook raises the user's handlers (OnCanClose, OnClose,
  // OnDeleteMessage): what they throw goes to the application's handler,
  // never out of a destructor.
  try {
    if (c && c->OnDeleteHook) c->OnDeleteHook(Index());
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  text_->OnChange = nullptr;
  delete text_;
}

void TMsgCollectionItem::Touched() {
  auto* c = static_cast<TMsgCollection*>(Collection());
  if (c && c->OnChangeHook) c->OnChangeHook();
}

void TMsgCollectionItem::SetColor(TColor v) {
  color_ = v;
  Touched();
}

void TMsgCollectionItem::SetColorTo(TColor v) {
  color_to_ = v;
  Touched();
}

void TMsgCollectionItem::Assign(TPersistent* Source) {
  auto* o = dynamic_cast<TMsgCollectionItem*>(Source);
  if (!o) return TCollectionItem::Assign(Source);
  ImageIndex = o->ImageIndex;
  Tag = o->Tag;
  color_ = o->color_;
  color_to_ = o->color_to_;
  text_->Assign(o->text_);
}

TMsgCollection::TMsgCollection(TPersistent* Owner)
    : TCollection(classlib::CollectionItemFactory<TMsgCollectionItem>(), Owner) {}


// --- The component --------------------------------------------------------------------------

TAlertNotifier::TAlertNotifier(TComponent* AOwner)
    : TComponent(AOwner), messages_(new TMsgCollection(this)) {
  messages_->OnChangeHook = [this] { UpdateMessages(); };
  messages_->OnDeleteHook = [this](int i) { MessageDestroyed(i); };
  timer_ = new TTimer(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(10);
  timer_->OnTimer = [this](TObject*) { Tick(); };
  ApplyOpacity = [this](int a) { ApplyAlpha(a); };
  EnableTimer = [this](bool on) { timer_->SetEnabled(on); };
  HidePopup = [this] {
    if (popup_) popup_->SetVisible(false);
  };
  HasPopup = [this] { return popup_ != nullptr; };
  PopupVisible = [this] { return popup_ && popup_->Visible(); };
  ApplyColorStyle(0);
}

TAlertNotifier::~TAlertNotifier() {
  // The fades stop first (each thread joined before anything it reads goes);
  // then popup and collection forget this component.
  StopFades();
  popup_window_ = nullptr;
  if (popup_) {
    popup_->OnCanDelete = nullptr;
    popup_->OnDeleteMessage = nullptr;
    popup_->OnMouseMove = nullptr;
    popup_->OnMouseLeave = nullptr;
    popup_->OnWindowMoved = popup_->OnClose = popup_->OnNextMessage = nullptr;
    popup_->OnPrevMessage = popup_->OnPopupbtnClick = nullptr;
    popup_->OnCanClose = nullptr;
    popup_->OnAnchorClick = nullptr;
    popup_->RemoveFreeNotification(this);
  }
  messages_->OnChangeHook = nullptr;
  messages_->OnDeleteHook = nullptr;
  delete messages_;
}

void TAlertNotifier::Watch(TComponent* c) {
  if (c) c->FreeNotification(this);
}

void TAlertNotifier::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) images_ = nullptr;
  if (AComponent == pictures_) pictures_ = nullptr;
  if (AComponent == popup_menu_) popup_menu_ = nullptr;
  if (AComponent == popup_) {
    StopFades();
    popup_window_ = nullptr;
    popup_ = nullptr;
  }
}

void TAlertNotifier::SetImages(TImageList* v) {
  images_ = v;
  Watch(v);
}
void TAlertNotifier::SetPictureContainer(TPictureContainer* v) {
  pictures_ = v;
  Watch(v);
}
void TAlertNotifier::SetPopupMenu(TPopupMenu* v) {
  popup_menu_ = v;
  Watch(v);
}
void TAlertNotifier::SetAutoDelete(bool v) {
  auto_delete_ = v;
  if (popup_) popup_->AutoDelete = v;
}
void TAlertNotifier::SetPositionFormat(const std::string& v) {
  position_format_ = v;
  if (popup_) popup_->SetPositionFormat(v);
}
void TAlertNotifier::SetShowDelete(bool v) {
  show_delete_ = v;
  if (popup_) popup_->SetShowDelete(v);
}
void TAlertNotifier::SetShowPopup(bool v) {
  show_popup_ = v;
  if (popup_) popup_->SetShowPopup(v);
}

void TAlertNotifier::ApplyAlpha(int Alpha) {
  HWND w = popup_window_.load();
  if (!w || ComponentState().Contains(csDesigning)) return;
  try {
    // Looked up each time: without it (older systems) the popup stays opaque.
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user = GetModuleHandleW(L"USER32.DLL");
    auto set = user ? reinterpret_cast<SetLayered>(reinterpret_cast<void*>(
                          GetProcAddress(user, "SetLayeredWindowAttributes")))
                    : nullptr;
    if (!set) return;
    // The window is layered from its creation; changing its style from a
    // fade thread would wait for the GUI thread, so it is only checked.
    if (!(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED)) return;
    set(w, ColorToRGB(WindowColor), static_cast<BYTE>(Alpha), LWA_ALPHA);
  } catch (...) {
  }
}

void TAlertNotifier::ApplyColorStyle(int Style) {
  AlertColors c;
  if (!AlertColorStyle(Style, c)) return;
  color_style_ = Style;
  WindowColor = c.WindowColor;
  WindowColorTo = c.WindowColorTo;
  CaptionColor = c.CaptionColor;
  CaptionColorTo = c.CaptionColorTo;
  BorderColor = c.BorderColor;
  BtnDownColor = c.BtnDownColor;
  BtnDownColorTo = c.BtnDownColorTo;
  BtnHoverColor = c.BtnHoverColor;
  BtnHoverColorTo = c.BtnHoverColorTo;
  GradientDirection = gdVertical;
}

void TAlertNotifier::ThemeStyle() {
  int style = 3;
  HRESULT failed = S_OK;
  if (HMODULE lib = LoadLibraryW(L"uxtheme.dll")) {
    using IsActive = BOOL(WINAPI*)();
    using ThemeName = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
    auto active =
        reinterpret_cast<IsActive>(reinterpret_cast<void*>(GetProcAddress(lib, "IsThemeActive")));
    auto name = reinterpret_cast<ThemeName>(
        reinterpret_cast<void*>(GetProcAddress(lib, "GetCurrentThemeName")));
    if (active && active() && name) {
      wchar_t file[255] = {}, color[255] = {}, size[255] = {};
      const HRESULT hr = name(file, 255, color, 255, size, 255);
      if (FAILED(hr))
        failed = hr;
      else
        style = AlertThemeStyle(color);
    }
    FreeLibrary(lib);
  }
  OleCheck(failed);
  ApplyColorStyle(style);
}

std::string TAlertNotifier::Joined(int Index) const {
  std::string s;
  TStringList* t = messages_->Items(Index)->Text();
  for (int i = 0; i < t->Count(); ++i) s += t->Strings(i);
  return s;
}

void TAlertNotifier::RebuildMessages(bool backToFirst) {
  if (!popup_) return;
  // One change of each list: emptied on the way, the popup would take it
  // for a close request and raise close events no one asked for.
  TStringList* list = popup_->AlertMessages();
  list->BeginUpdate();
  list->Clear();
  popup_->Copies()->BeginUpdate();
  popup_->Copies()->Clear();
  for (int i = 0; i < messages_->Count(); ++i) {
    TMsgCollectionItem* m = messages_->Items(i);
    list->AddObject(Joined(i), reinterpret_cast<TObject*>(static_cast<intptr_t>(m->ImageIndex)));
    popup_->Copies()->Add()->Assign(m);
  }
  if (backToFirst) popup_->Scroller()->SetPosition(0); // the change puts it at message 1
  popup_->Copies()->EndUpdate();
  list->EndUpdate();
}

void TAlertNotifier::UpdateMessages() {
  // Surplus strings go too, so the popup never pages to a message that is
  // no longer there; the message shown stays.
  if (popup_ && popup_->Visible()) RebuildMessages(false);
}

void TAlertNotifier::MessageDestroyed(int Index) {
  // Runs inside the item's destructor: a bad index is ignored, not raised.
  if (!popup_ || !popup_->Visible() || Index < 0 || Index >= popup_->AlertMessages()->Count())
    return;
  auto ask = std::move(popup_->OnCanDelete);
  auto told = std::move(popup_->OnDeleteMessage);
  popup_->OnCanDelete = nullptr;
  popup_->OnDeleteMessage = nullptr;
  popup_->DeleteMessage(Index);
  if (Index < popup_->Copies()->Count()) popup_->Copies()->Delete(Index);
  popup_->OnCanDelete = std::move(ask);
  popup_->OnDeleteMessage = std::move(told);
  if (OnDeleteMessage) OnDeleteMessage(this, Index);
}

void TAlertNotifier::PopupDeleteMessage(int Index) {
  if (Index < 0 || Index >= messages_->Count()) throw Exception("Invalid Index");
  auto hook = std::move(messages_->OnDeleteHook);
  messages_->OnDeleteHook = nullptr;
  messages_->Delete(Index);
  messages_->OnDeleteHook = std::move(hook);
  if (Index < popup_->Copies()->Count()) popup_->Copies()->Delete(Index);
  if (OnDeleteMessage) OnDeleteMessage(this, Index);
}

void TAlertNotifier::CopyColors() {
  popup_->WindowColor = WindowColor;
  popup_->WindowColorTo = WindowColorTo;
  popup_->BtnDownColor = BtnDownColor;
  popup_->BtnDownColorTo = BtnDownColorTo;
  popup_->BtnHoverColor = BtnHoverColor;
  popup_->BtnHoverColorTo = BtnHoverColorTo;
  popup_->CaptionColor = CaptionColor;
  popup_->CaptionColorTo = CaptionColorTo;
  popup_->GradientDirection = GradientDirection;
}

void TAlertNotifier::CreatePopup() {
  popup_ = new TAlertWindow(Owner());
  popup_->FreeNotification(this);
  popup_->SetVisible(false);
  popup_->SetParent(nullptr);
  if (auto* owner = dynamic_cast<TWinControl*>(Owner())) popup_->SetParentWindow(owner->Handle());
  popup_->OnMouseMove = [this](TObject*, TShiftState, int, int) { PopupHold(); };
  popup_->OnMouseLeave = [this](TObject*) { PopupRelease(); };
  popup_->OnWindowMoved = [this](TObject*) {
    WindowPosition = wpPreset;
    PopupLeft = popup_->Left();
    PopupTop = popup_->Top();
  };
  // Asked before the popup drops the message, so both lists stay in step:
  // asked after, a refusal would leave the popup a string short.
  popup_->OnCanDelete = [this](int i) {
    if (i < 0 || i >= messages_->Count()) return false;
    bool can = true;
    if (OnCanDeleteMessage) OnCanDeleteMessage(this, i, can);
    return can;
  };
  popup_->OnDeleteMessage = [this](TObject*, int i) { PopupDeleteMessage(i); };
  popup_->OnClose = [this](TObject*) {
    if (OnClose) OnClose(this);
  };
  popup_->OnCanClose = [this](TObject*, bool& can) {
    if (OnCanClose) OnCanClose(this, can);
  };
  popup_->OnNextMessage = [this](TObject*) {
    if (OnNextMessage) OnNextMessage(this);
  };
  popup_->OnPrevMessage = [this](TObject*) {
    if (OnPrevMessage) OnPrevMessage(this);
  };
  popup_->OnPopupbtnClick = [this](TObject*) {
    if (popup_menu_) {
      const TRect r = popup_->Layout().Popup;
      popup_menu_->Popup(popup_->Left() + r.Right, popup_->Top() + r.Top);
    } else if (OnPopupClick) {
      OnPopupClick(this);
    }
  };
  popup_->OnAnchorClick = [this](TObject*, const std::string& a, int i) {
    if (OnAnchorClick && i >= 0 && i < messages_->Count())
      OnAnchorClick(this, a, messages_->Items(i));
  };
  popup_->SetTopMost(AlwaysOnTop);
  popup_window_ = popup_->Handle();
}

void TAlertNotifier::ConfigurePopup() {
  if (!popup_) CreatePopup();
  RebuildMessages(true);
  popup_->SetBounds(PopupLeft, PopupTop, PopupWidth, PopupHeight);
  popup_->PictureContainer = pictures_;
  popup_->Images = images_;
  if (pictures_) pictures_->FreeNotification(popup_);
  if (images_) images_->FreeNotification(popup_);
  CopyColors();
  popup_->BorderColor = BorderColor;
  popup_->HintNextBtn = HintNextBtn;
  popup_->HintPrevBtn = HintPrevBtn;
  popup_->HintCloseBtn = HintCloseBtn;
  popup_->HintDeleteBtn = HintDeleteBtn;
  popup_->HintPopupBtn = HintPopupBtn;
  popup_->GradientDirection = GradientDirection;
  popup_->MarginX = MarginX;
  popup_->MarginY = MarginY;
  popup_->MessageFont()->Assign(&font_);
  popup_->MaxWidth = MaxWidth;
  popup_->MaxHeight = MaxHeight;
  popup_->AutoHide = false;
  popup_->SetShowPopup(show_popup_);
  popup_->SetAutoSizeOn(AutoSize);
  popup_->SetHover(Hover);
  popup_->SetPositionFormat(position_format_);
  popup_->AutoDelete = auto_delete_;
  popup_->SetShowDelete(show_delete_);
  popup_->SetGlyphPrev(&glyph_prev_);
  popup_->SetGlyphNext(&glyph_next_);
  popup_->SetGlyphDelete(&glyph_delete_);
  popup_->SetGlyphClose(&glyph_close_);
  popup_->SetGlyphPopup(&glyph_popup_);
}

void TAlertNotifier::Show() {
  ResetCount(); // with the timer running, the display time starts again
  if (FadeRunning()) return; // fading in: the text is already replaced
  if (popup_ && popup_->Visible()) {
    // Shown or fading out: the new text now; a fade-out goes on and hides it.
    RebuildMessages(true);
    return;
  }
  if (messages_->Count() == 0) return;
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  const TRect work = Rect(wa.left, wa.top, wa.right, wa.bottom);
  ConfigurePopup();
  Arm(false);
  Arm(true);
  if (AutoThemeAdapt) ThemeStyle();
  CopyColors(); // again: the theme may have changed them
  const TPoint at = AlertTarget(WindowPosition, work, popup_->Width(), popup_->Height(),
                                ScreenMarginX, ScreenMarginY, PopupLeft, PopupTop);
  // Placed just below the work area until it is shown.
  popup_->SetBounds(at.X, work.Bottom, popup_->Width(), popup_->Height());
  BeginShow(); // opacity 1: not yet seen; the fade-in starts from 0
  if (popup_->Visible()) {
    StopRequest = true;
    popup_->SetBounds(at.X, at.Y, popup_->Width(), popup_->Height());
    return;
  }
  popup_->SetVisible(true);
  // Above every window, without taking activation, whatever AlwaysOnTop says.
  SetWindowPos(popup_->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  popup_->SetBounds(at.X, at.Y, popup_->Width(), popup_->Height());
  StartFadeIn();
}
