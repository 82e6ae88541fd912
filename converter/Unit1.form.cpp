// Layout of TForm1: a small borderless, translucent, always-on-top strip
// with the bitrate and the file name, and the disabled one-second timer.
#include "converter/Unit1.h"

void TForm1::CreateLayout() {
  SetName("Form1");
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetClientSize(344, 44);
  SetAlphaBlend(true);
  SetAlphaBlendValue(150);

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetBounds(8, 8, 52, 13);
  Label1->SetCaption("Битрейт:");
  Label1->Font()->SetStyle({fsBold});
  Label1->Font()->SetColor(clNavy);

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetBounds(64, 8, 7, 13);
  Label2->SetCaption("0");
  Label2->Font()->SetStyle({fsBold});

  Label3 = new TLabel(this);
  Label3->SetName("Label3");
  Label3->SetParent(this);
  Label3->SetBounds(8, 24, 34, 13);
  Label3->SetCaption("Файл:");
  Label3->Font()->SetStyle({fsBold});

  Label4 = new TLabel(this);
  Label4->SetName("Label4");
  Label4->SetParent(this);
  Label4->SetBounds(56, 24, 24, 13);
  Label4->SetCaption("----");

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  Timer1->OnTimer = classlib::Bind(this, &TForm1::Timer1Timer);

  OnCreate = classlib::Bind(this, &TForm1::FormCreate);
  OnClose = classlib::Bind(this, &TForm1::FormClose);
}
