// The alert window: TAlertNotifier shows short messages, written in the
// markup of AlertMarkup.h, in a small popup (TAlertWindow) near a corner of
// the work area, fading it in and out and hiding it after a display time.
//
//   TMsgCollectionItem / TMsgCollection  the messages (lines of markup)
//   TAlertWindow                         the popup: never activates, paints
//                                        itself, pages and deletes messages
//   TAlertNotifier                       the component that drives it
//
// Files: AlertNotifier.cpp (component), AlertWindow.cpp (popup),
// AlertFadeCore (fades and display time), AlertPopupCore (layout rules),
// AlertMarkup* (the renderer).
#pragma once

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/HintWindow.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/StringList.h"
#include "components/AlertFadeCore.h"
#include "components/AlertMarkup.h"
#include "components/AlertPopupCore.h"
#include "components/PictureContainer.h"

enum TGradientDirection { gdHorizontal, gdVertical };

using TCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCanDeleteEvent = std::function<void(TObject* Sender, int Index, bool& CanDelete)>;
using TDeleteMessageEvent = std::function<void(TObject* Sender, int Index)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, const std::string& Anchor, int Index)>;

namespace components {
// A glyph setter's copy: `from`'s picture, or none for null.
void CopyGlyph(TBitmap& to, TBitmap* from);
} // namespace components

class TMsgCollectionItem : public TCollectionItem {
 public:
  explicit TMsgCollectionItem(TCollection* Collection);
  ~TMsgCollectionItem() override;
  TStringList* Text() const { return text_; }
  void SetText(TStrings* v) { text_->Assign(v); }
  int ImageIndex = 0;
  int Tag = 0;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TColor ColorTo() const { return color_to_; }
  void SetColorTo(TColor v);
  void Assign(TPersistent* Source) override;

 private:
  void Touched();
  TStringList* text_ = nullptr;
  TColor color_ = clNone, color_to_ = clNone;
};

class TMsgCollection : public TCollection {
 public:
  explicit TMsgCollection(TPersistent* Owner);
  TMsgCollectionItem* Items(int Index) const {
    return static_cast<TMsgCollectionItem*>(TCollection::Items(Index));
  }
  TMsgCollectionItem* Add() { return static_cast<TMsgCollectionItem*>(TCollection::Add()); }
  // Set by the owner: a message's text or colours changed; message Index
  // is being deleted.
  std::function<void()> OnChangeHook;
  std::function<void(int Index)> OnDeleteHook;
};

class TAlertWindow : public THintWindow {
 public:
  explicit TAlertWindow(TComponent* AOwner);
  ~TAlertWindow() override;

  // One string per message (markup); its object is the message's image index.
  TStringList* AlertMessages() const { return messages_; }
  TMsgCollection* Copies() const { return copies_; }
  TMsgScroller* Scroller() { return &scroller_; }
  int Position() const { return scroller_.Position(); }

  bool AutoHide = true;
  bool AutoDelete = false;
  TColor BorderColor = clBlack;
  TColor BtnHoverColor = 0xBBA9A2, BtnHoverColorTo = 0xBBA9A2;
  TColor BtnDownColor = 0xA78F87, BtnDownColorTo = 0xA78F87;
  TColor CaptionColor = clWhite, CaptionColorTo = clGray;
  TColor WindowColor = clWhite, WindowColorTo = clBtnFace;
  TGradientDirection GradientDirection = gdVertical;
  // The buttons' pictures (owned; the setters copy, null empties). An empty
  // one leaves the button its drawn shape. Previous and next show a grey
  // copy, remade on every change of the glyph, while they cannot move.
  TBitmap* GlyphPrev() { return &glyphs_[kPrev]; }
  void SetGlyphPrev(TBitmap* v) { components::CopyGlyph(glyphs_[kPrev], v); }
  TBitmap* GlyphNext() { return &glyphs_[kNext]; }
  void SetGlyphNext(TBitmap* v) { components::CopyGlyph(glyphs_[kNext], v); }
  TBitmap* GlyphDelete() { return &glyphs_[kDelete]; }
  void SetGlyphDelete(TBitmap* v) { components::CopyGlyph(glyphs_[kDelete], v); }
  TBitmap* GlyphClose() { return &glyphs_[kClose]; }
  void SetGlyphClose(TBitmap* v) { components::CopyGlyph(glyphs_[kClose], v); }
  TBitmap* GlyphPopup() { return &glyphs_[kPopup]; }
  void SetGlyphPopup(TBitmap* v) { components::CopyGlyph(glyphs_[kPopup], v); }
  // The grey copies of GlyphPrev and GlyphNext (32 bits a pixel).
  TBitmap* DisabledPrev() { return &disabled_[0]; }
  TBitmap* DisabledNext() { return &disabled_[1]; }
  // A button's hint while the mouse is over it; otherwise Hint is the one
  // it had when loaded.
  std::string HintNextBtn = "Next", HintPrevBtn = "Previous", HintCloseBtn = "Close",
              HintDeleteBtn = "Delete", HintPopupBtn = "Popup";
  // Highlights the anchor under the mouse; a change forgets the hovered one.
  bool Hover() const { return hover_; }
  void SetHover(bool v);
  int MarginX = 4, MarginY = 1;
  int MaxWidth = 0, MaxHeight = 0;
  TImageList* Images = nullptr;
  TPictureContainer* PictureContainer = nullptr;
  TFont* MessageFont() { return &font_; }
  const std::string& PositionFormat() const { return position_format_; }
  void SetPositionFormat(const std::string& v);
  bool ShowDelete() const { return show_delete_; }
  void SetShowDelete(bool v);
  bool ShowPopup() const { return show_popup_; }
  void SetShowPopup(bool v);
  bool AutoSizeOn() const { return auto_size_; }
  void SetAutoSizeOn(bool v);

  void DeleteMessage(int Index);
  void DeleteCurrent();
  void NextMessage();
  void PrevMessage();
  void CloseAlert();
  // The element rectangles for the current size and messages.
  AlertLayout Layout();

  // Asked before a message goes from the popup (false keeps it).
  std::function<bool(int Index)> OnCanDelete;
  TDeleteMessageEvent OnDeleteMessage;
  TNotifyEvent OnWindowMoved, OnClose, OnNextMessage, OnPrevMessage, OnPopupbtnClick;
  TCanCloseEvent OnCanClose;
  TAnchorClickEvent OnAnchorClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  enum Button { kClose, kPrev, kNext, kDelete, kPopup, kButtons };
  enum class TextPass { Draw, HitTest, Measure };
  void MessagesChanged();
  int PositionWidth();
  void PaintButton(TCanvas* c, Button b, const TRect& r);
  void PaintGlyph(TCanvas* c, Button b, bool active, const TRect& r);
  void MakeDisabled(Button b);
  // Renders message `index` into `area`: drawn, hit-tested at (x, y), or measured.
  void PaintText(TCanvas* c, int index, const TRect& area, TextPass pass, int x, int y,
                 markup::MarkupResult& out);
  // The anchor of the shown message under the client point (x, y).
  markup::MarkupResult AnchorAt(int x, int y);
  void AnchorClick(int x, int y);
  bool ButtonActive(Button b);
  TRect ButtonRect(const AlertLayout& l, Button b);
  const std::string& ButtonHint(Button b) const;
  void SetButtonHint(const std::string& hint);
  TStringList* messages_ = nullptr;
  TMsgCollection* copies_ = nullptr;
  THTMLPictureCache cache_;
  TMsgScroller scroller_;
  TFont font_;
  std::string position_format_;
  bool show_delete_ = true, show_popup_ = false, auto_size_ = false;
  bool hovered_[kButtons] = {}, pressed_[kButtons] = {};
  TBitmap glyphs_[kButtons];
  TBitmap disabled_[2]; // previous, next
  std::string saved_hint_;
  bool dragging_ = false;
  TPoint drag_from_;
  bool hover_ = true;
  int hover_anchor_ = -1;
  int hover_image_ = -1; // the anchor image under the mouse (its "ALT" shows)
  TRect hover_rect_;
};

// Its fades, display time and hold are AlertFader's (AlertFadeCore.h):
// AlphaEnd, FadeStep, FadeTime, DisplayTime, AutoHide and AlphaStart are
// the fader's, read by the fade threads at every step.
class TAlertNotifier : public TComponent, public AlertFader {
 public:
  // AOwner should be a windowed control: its window becomes the popup's
  // parent window.
  explicit TAlertNotifier(TComponent* AOwner);
  ~TAlertNotifier() override;

  TMsgCollection* AlertMessages() const { return messages_; }
  bool AlwaysOnTop = false;
  bool AutoThemeAdapt = false;
  bool AutoSize = false;
  bool AutoDelete() const { return auto_delete_; }
  void SetAutoDelete(bool v);
  TColor BorderColor = 0, BtnHoverColor = 0, BtnHoverColorTo = 0, BtnDownColor = 0,
         BtnDownColorTo = 0, CaptionColor = 0, CaptionColorTo = 0, WindowColor = 0,
         WindowColorTo = 0;
  TFont* Font() { return &font_; }
  void SetFont(TFont* f) { font_.Assign(f); }
  TGradientDirection GradientDirection = gdVertical;
  // The popup's button pictures (owned; the setters copy, null empties),
  // handed to the popup each time it is configured.
  TBitmap* GlyphPrev() { return &glyph_prev_; }
  void SetGlyphPrev(TBitmap* v) { components::CopyGlyph(glyph_prev_, v); }
  TBitmap* GlyphNext() { return &glyph_next_; }
  void SetGlyphNext(TBitmap* v) { components::CopyGlyph(glyph_next_, v); }
  TBitmap* GlyphDelete() { return &glyph_delete_; }
  void SetGlyphDelete(TBitmap* v) { components::CopyGlyph(glyph_delete_, v); }
  TBitmap* GlyphClose() { return &glyph_close_; }
  void SetGlyphClose(TBitmap* v) { components::CopyGlyph(glyph_close_, v); }
  TBitmap* GlyphPopup() { return &glyph_popup_; }
  void SetGlyphPopup(TBitmap* v) { components::CopyGlyph(glyph_popup_, v); }
  std::string HintNextBtn = "Next", HintPrevBtn = "Previous", HintCloseBtn = "Close",
              HintDeleteBtn = "Delete", HintPopupBtn = "Popup";
  bool Hover = false;
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  int MarginX = 4, MarginY = 1, MaxWidth = 0, MaxHeight = 0;
  TPictureContainer* PictureContainer() const { return pictures_; }
  void SetPictureContainer(TPictureContainer* v);
  int PopupLeft = 0, PopupTop = 0, PopupWidth = 300, PopupHeight = 100;
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* v);
  const std::string& PositionFormat() const { return position_format_; }
  void SetPositionFormat(const std::string& v);
  bool ShowDelete() const { return show_delete_; }
  void SetShowDelete(bool v);
  bool ShowPopup() const { return show_popup_; }
  void SetShowPopup(bool v);
  TWindowPosition WindowPosition = wpRightBottom;
  int ScreenMarginX = 0, ScreenMarginY = 0;
  std::string Version() const { return "1.0.0.0"; }

  void Show();
  void ApplyColorStyle(int Style);
  // The colour style applied last (0 to 3).
  int ColorStyle() const { return color_style_; }
  TAlertWindow* Popup() const { return popup_; }

  std::function<void(TObject* Sender, const std::string& Anchor, TMsgCollectionItem* Item)>
      OnAnchorClick;
  TCanDeleteEvent OnCanDeleteMessage;
  TDeleteMessageEvent OnDeleteMessage;
  TNotifyEvent OnClose, OnNextMessage, OnPrevMessage, OnPopupClick;
  TCanCloseEvent OnCanClose;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void Watch(TComponent* c);
  void ConfigurePopup();
  void CreatePopup();
  void CopyColors();
  // backToFirst: the popup shows message 1 afterwards.
  void RebuildMessages(bool backToFirst);
  void UpdateMessages();
  void MessageDestroyed(int Index);
  void PopupDeleteMessage(int Index);
  void ApplyAlpha(int Alpha); // any thread
  void ThemeStyle();
  std::string Joined(int Index) const;

  TMsgCollection* messages_ = nullptr;
  TAlertWindow* popup_ = nullptr;
  int color_style_ = 0;
  TFont font_;
  TBitmap glyph_prev_, glyph_next_, glyph_delete_, glyph_close_, glyph_popup_;
  TImageList* images_ = nullptr;
  TPictureContainer* pictures_ = nullptr;
  TPopupMenu* popup_menu_ = nullptr;
  std::string position_format_ = "%d of %d";
  bool auto_delete_ = false, show_delete_ = true, show_popup_ = false;
  std::atomic<HWND> popup_window_{nullptr};
  TTimer* timer_ = nullptr;
};
