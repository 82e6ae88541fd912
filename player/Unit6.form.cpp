// Layout of TForm6, the search window: components in creation order, their
// properties set while loading, handlers bound.
#include "player/Unit6.h"

void TForm6::CreateLayout() {
  SetName("Form6");
  SetCaption("Поиск");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientWidth(397);
  SetClientHeight(532);
  SetAlphaBlend(true);
  SetAlphaBlendValue(220);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetLeft(8);
  Label1->SetTop(8);
  Label1->SetCaption("Список найденых каналов радио в списке");
  Label1->Font()->SetColor(clNavy);
  Label1->Font()->SetStyle({fsBold});

  ListBox1 = new TListBox(this);
  ListBox1->SetName("ListBox1");
  ListBox1->SetParent(this);
  ListBox1->SetBounds(8, 28, 381, 400);
  ListBox1->SetHint("Нажмите 2-клик мышкой что бы прослушать канал");
  ListBox1->SetShowHint(true);

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetLeft(8);
  Label2->SetTop(440);
  Label2->SetCaption("Введите название радио для поиска:");
  Label2->Font()->SetStyle({fsBold});

  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(8, 460, 381, 21);

  sButton1 = new TButton(this);
  sButton1->SetName("sButton1");
  sButton1->SetParent(this);
  sButton1->SetBounds(8, 495, 120, 27);
  sButton1->SetCaption("Поиск");

  sButton2 = new TButton(this);
  sButton2->SetName("sButton2");
  sButton2->SetParent(this);
  sButton2->SetBounds(269, 495, 120, 27);
  sButton2->SetCaption("Закрыть");

  sButton1->OnClick = classlib::Bind(this, &TForm6::sButton1Click);
  sButton2->OnClick = classlib::Bind(this, &TForm6::sButton2Click);
  ListBox1->OnDblClick = classlib::Bind(this, &TForm6::ListBox1DblClick);
}
