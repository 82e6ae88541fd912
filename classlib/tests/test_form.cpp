// Layout of TTestForm: components in creation order, their properties set
// while loading, handlers bound.
#include "classlib/tests/test_form.h"

void TTestForm::CreateLayout() {
  SetName("TestForm");
  SetCaption("Проверка формы");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetClientWidth(506);
  SetClientHeight(263);
  SetPosition(poScreenCenter);
  SetColor(clBlack);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetDoubleBuffered(true);

  Panel1 = new TPad(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alTop);
  Panel1->SetHeight(40);
  Panel1->SetColor(clNavy);

  Panel2 = new TPad(this);
  Panel2->SetName("Panel2");
  Panel2->SetParent(this);
  Panel2->SetAlign(alBottom);
  Panel2->SetHeight(30);
  Panel2->SetColor(clGreen);

  Panel3 = new TPad(this);
  Panel3->SetName("Panel3");
  Panel3->SetParent(this);
  Panel3->SetAlign(alClient);
  Panel3->SetColor(clWhite);

  Swatch1 = new TSwatch(this);
  Swatch1->SetName("Swatch1");
  Swatch1->SetParent(Panel3);
  Swatch1->SetBounds(10, 10, 50, 40);
  Swatch1->SetColor(clRed);
  Swatch1->SetHint("Красный|длинная подсказка");
  Swatch1->SetShowHint(true);
  Swatch1->SetCursor(crHandPoint);

  Swatch2 = new TSwatch(this);
  Swatch2->SetName("Swatch2");
  Swatch2->SetParent(Panel3);
  Swatch2->SetBounds(100, 10, 50, 40);
  Swatch2->Transparent = true;

  Button1 = new TPushButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(Panel2);
  Button1->SetBounds(5, 3, 80, 24);
  Button1->SetCaption("Кнопка");
  Button1->SetTabStop(true);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(20);

  PopupMenu1 = new TRecordingMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  N1 = new TMenuItem(this);
  N1->SetName("N1");
  N1->Caption = "Показать";
  PopupMenu1->Items()->Add(N1);
  Swatch1->SetPopupMenu(PopupMenu1);

  OnCreate = classlib::Bind(this, &TTestForm::FormCreate);
  OnShow = classlib::Bind(this, &TTestForm::FormShow);
  OnCloseQuery = classlib::Bind(this, &TTestForm::FormCloseQuery);
  OnClose = classlib::Bind(this, &TTestForm::FormClose);
  OnDestroy = classlib::Bind(this, &TTestForm::FormDestroy);
  Timer1->OnTimer = classlib::Bind(this, &TTestForm::Timer1Timer);
  Swatch1->OnClick = classlib::Bind(this, &TTestForm::Swatch1Click);
  Swatch1->OnMouseEnter = classlib::Bind(this, &TTestForm::Swatch1MouseEnter);
  Swatch1->OnMouseLeave = classlib::Bind(this, &TTestForm::Swatch1MouseLeave);
  SetMessageHandler(WM_SYSCOMMAND, classlib::Bind(this, &TTestForm::WMSysCommand));
}
