// Layout of the main window: 506 x 263, a black gradient under transparent
// labels, the spectrum box and two level meters in a frame, the hidden list
// used by the start-up scan, the tray icon with its menu, the timers.
#include "components/PngResource.h"
#include "player/Unit1.h"

namespace {

constexpr TColor kFormBlue = 0xFF0000; // the labels' form colour (clBlue)

TLabel* AddLabel(TForm1* form, const char* name, int x, int y, const std::string& caption,
                 TColor color, bool bold = false) {
  auto* l = new TLabel(form);
  l->SetName(name);
  l->SetParent(form);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(caption);
  l->SetTransparent(true);
  l->Font()->SetName("MS Sans Serif");
  l->Font()->SetHeight(-11);
  l->Font()->SetColor(color);
  if (bold) l->Font()->SetStyle({fsBold});
  return l;
}

TTimer* AddTimer(TForm1* form, const char* name, unsigned interval, bool enabled,
                 void (TForm1::*handler)(TObject*)) {
  auto* t = new TTimer(form);
  t->SetName(name);
  t->SetInterval(interval);
  t->SetEnabled(enabled);
  t->OnTimer = [form, handler](TObject* s) { (form->*handler)(s); };
  return t;
}

TLEDMeter* AddMeter(TForm1* form, const char* name, int y) {
  auto* m = new TLEDMeter(form);
  m->SetName(name);
  m->SetParent(form);
  m->SetBounds(12, y, 485, 5);
  m->SetMin(0);
  m->SetMax(100);
  m->SetNumDigits(60);
  m->SetColorLED1(clLime);
  m->SetColorLED2(clYellow);
  m->SetColorLED3(clRed);
  m->SetStartColor2(60);
  m->SetStartColor3(85);
  m->SetLEDContrast(6);
  m->SetDirection(mdRight);
  m->SetBevelStyle(bvNone);
  m->SetColorSeperator(clBlack);
  return m;
}

} // namespace

void TForm1::CreateLayout() {
  SetName("Form1");
  SetCaption("Korvalis  7.5");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetClientWidth(506);
  SetClientHeight(263);
  SetPosition(poScreenCenter);
  SetColor(clBlack);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnCloseQuery = [this](TObject* s, bool& can) { FormCloseQuery(s, can); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  SetMessageHandler(WM_SYSCOMMAND, [this](TMessage& m) { WMSysCommand(m); });

  BackGradient1 = new TBackGradient(this);
  BackGradient1->SetName("BackGradient1");
  BackGradient1->SetParent(this);
  BackGradient1->SetAlign(alClient);
  BackGradient1->SetStyle(gsVertical);
  BackGradient1->SetStartColor(clBlack);
  BackGradient1->SetEndColor(clBlack);

  Bevel1 = new TBevel(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetParent(this);
  Bevel1->SetBounds(5, 5, 495, 145);
  Bevel1->SetShape(bsFrame);

  PaintBox1 = new TPaintBox(this);
  PaintBox1->SetName("PaintBox1");
  PaintBox1->SetParent(this);
  PaintBox1->SetBounds(12, 24, 484, 99);
  PaintBox1->OnPaint = [this](TObject* s) { PaintBox1Paint(s); };

  LEDMeter2 = AddMeter(this, "LEDMeter2", 128);
  LEDMeter1 = AddMeter(this, "LEDMeter1", 136);

  Label1 = AddLabel(this, "Label1", 16, 8, "Канал:", kFormBlue);
  Label14 = AddLabel(this, "Label14", 56, 8, "----------------------------", clSilver);
  Label13 = AddLabel(this, "Label13", 232, 8, "00:00:00:00", clLime, true);
  Label20 = AddLabel(this, "Label20", 328, 8, "00кгц", clRed, true);
  Label3 = AddLabel(this, "Label3", 376, 8, "Битрейт:", kFormBlue);
  Label12 = AddLabel(this, "Label12", 424, 8, "0", kFormBlue);
  Label6 = AddLabel(this, "Label6", 16, 160, "Запись ", kFormBlue);
  Label4 = AddLabel(this, "Label4", 72, 160, "Пауза", kFormBlue);
  Label5 = AddLabel(this, "Label5", 128, 160, "Стоп записи", kFormBlue);
  Label8 = AddLabel(this, "Label8", 240, 160, "Vol-", kFormBlue);
  Label7 = AddLabel(this, "Label7", 272, 160, "Vol+", kFormBlue);
  Label9 = AddLabel(this, "Label9", 304, 160, "1", kFormBlue);
  Label10 = AddLabel(this, "Label10", 416, 160, "Список каналов", kFormBlue);
  Label15 = AddLabel(this, "Label15", 424, 176, "Эквалайзер", kFormBlue);
  Label16 = AddLabel(this, "Label16", 416, 192, "Список файлов", kFormBlue);
  Label17 = AddLabel(this, "Label17", 432, 208, "Настройки", kFormBlue);
  Label19 = AddLabel(this, "Label19", 8, 194, "00", clRed, true);
  Label18 = AddLabel(this, "Label18", 8, 208, "Композиция:", clYellow);
  Label2 = AddLabel(this, "Label2", 8, 224, "----------------------", clLime);
  // The station line and the title are the network's (or the list's) text,
  // shown as sent: "Rock & Roll" keeps its "&".
  Label14->SetShowAccelChar(false);
  Label2->SetShowAccelChar(false);
  Label11 = AddLabel(this, "Label11", 160, 238, "", clBlue);
  Label11->SetAutoSize(false);
  Label11->SetBounds(160, 238, 177, 20);
  Label11->SetAlignment(taCenter);
  Label11->Font()->SetHeight(-16);
  Label11->Font()->SetStyle({fsUnderline});
  Label11->SetCursor(crHandPoint);

  auto click = [this](TLabel* l, void (TForm1::*h)(TObject*)) {
    l->OnClick = [this, h](TObject* s) { (this->*h)(s); };
  };
  click(Label4, &TForm1::Label4Click);
  click(Label5, &TForm1::Label5Click);
  click(Label6, &TForm1::Label6Click);
  click(Label7, &TForm1::Label7Click);
  click(Label8, &TForm1::Label8Click);
  click(Label10, &TForm1::Label10Click);
  click(Label11, &TForm1::Label11Click);
  click(Label15, &TForm1::Label15Click);
  click(Label16, &TForm1::Label16Click);
  Label7->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label7MouseDown(s, b, sh, x, y);
  };
  Label7->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label7MouseUp(s, b, sh, x, y);
  };
  Label8->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label8MouseDown(s, b, sh, x, y);
  };
  Label8->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label8MouseUp(s, b, sh, x, y);
  };
  for (TLabel* l :
       {Label4, Label5, Label6, Label7, Label8, Label10, Label11, Label15, Label16, Label17}) {
    l->OnMouseEnter = [this](TObject* s) { LabelMouseEnter(s); };
    l->OnMouseLeave = [this](TObject* s) { LabelMouseLeave(s); };
  }

  // The start-up scan's list. The scan itself is portable code that hands
  // back what it found (FindMp3Files), so this list stays empty.
  ListView3 = new TListView(this);
  ListView3->SetName("ListView3");
  ListView3->SetParent(this);
  ListView3->SetVisible(false);
  ListView3->SetViewStyle(vsReport);
  ListView3->Columns()->Add();
  ListView3->Columns()->Add();

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  N1 = new TMenuItem(this);
  N1->SetName("N1");
  N1->Caption = "Показать";
  N1->OnClick = [this](TObject* s) { N1Click(s); };
  N2 = new TMenuItem(this);
  N2->SetName("N2");
  N2->Caption = "Закрыть";
  N2->OnClick = [this](TObject* s) { N2Click(s); };
  PopupMenu1->Items()->Add(N1);
  PopupMenu1->Items()->Add(N2);

  TrayIcon1 = new TTrayIcon(this);
  TrayIcon1->SetName("TrayIcon1");
  TrayIcon1->SetHint("Korvalis 7.1");
  TrayIcon1->Icon()->SetHandle(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"TRAYICON", IMAGE_ICON, 16, 16, 0)));
  TrayIcon1->SetPopupMenu(PopupMenu1);
  TrayIcon1->SetIconVisible(true);

  Alert1 = new TAlertNotifier(this);
  Alert1->SetName("Alert1");
  {
    TMsgCollectionItem* m = Alert1->AlertMessages()->Add();
    m->Text()->Add("Artist");
    m->Text()->Add("Title");
    m->Text()->Add("Station");
    m->SetColor(clBlue);
    m->SetColorTo(clWhite);
  }
  Alert1->AlwaysOnTop = false;
  Alert1->SetAutoHide(true);
  Alert1->AutoSize = false;
  Alert1->SetAutoDelete(false);
  Alert1->GradientDirection = gdHorizontal;
  Alert1->Font()->SetName("MS Sans Serif");
  Alert1->Font()->SetHeight(-13);
  Alert1->Font()->SetStyle({fsBold});
  Alert1->Font()->SetColor(clWhite);
  Alert1->Hover = false;
  Alert1->SetPositionFormat("%d of %d");
  Alert1->SetShowDelete(false);
  Alert1->SetShowPopup(false);
  Alert1->AlphaEnd = 160;
  Alert1->FadeTime = 0;
  Alert1->DisplayTime = 5000;
  Alert1->FadeStep = 2;
  Alert1->WindowPosition = wpRightBottom;
  ShowTitleAlert = [this](TStrings* Text) { ShowTitleInAlert(Text); };

  PngCollection1 = new TPngCollection(this);
  PngCollection1->SetName("PngCollection1");
  const struct {
    const wchar_t* Resource;
    TColor Background;
  } pngs[3] = {{L"PNGIMAGE0", clWindow}, {L"PNGIMAGE1", cl3DDkShadow}, {L"PNGIMAGE2", clWindow}};
  for (const auto& item : pngs) {
    TPngImage png;
    components::LoadPngResource(png, item.Resource);
    TPngCollectionItem* added = PngCollection1->Items()->Add();
    added->SetPngImage(&png);
    added->SetBackground(item.Background);
  }

  Timer1 = AddTimer(this, "Timer1", 10, false, &TForm1::Timer1Timer);
  Timer2 = AddTimer(this, "Timer2", 10, true, &TForm1::Timer2Timer);
  Timer3 = AddTimer(this, "Timer3", 1000, true, &TForm1::Timer3Timer);
  Timer4 = AddTimer(this, "Timer4", 50, true, &TForm1::Timer4Timer);
  Timer5 = AddTimer(this, "Timer5", 100, true, &TForm1::Timer5Timer);
  timer6 = AddTimer(this, "timer6", 100, false, &TForm1::Timer6Timer);
  Timer7 = AddTimer(this, "Timer7", 1000, false, &TForm1::Timer7Timer);
  Timer8 = AddTimer(this, "Timer8", 1000, false, &TForm1::Timer8Timer);
  Timer9 = AddTimer(this, "Timer9", 250, false, &TForm1::Timer9Timer);
  Timer10 = AddTimer(this, "Timer10", 1000, false, &TForm1::Timer10Timer);
}
