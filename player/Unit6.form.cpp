// Layout of TForm6, the search window: components in creation order, their
// properties set while loading, handlers bound.
#include "player/Unit6.h"

namespace {
// The skinned buttons' faces: white fading from grey, and the hot look.
const char kButtonGradient[] = "8421504;16777215;99;0;0;16777215;16777215;0;0;0";
const char kButtonHotGradient[] =
    "8421504;8421504;10;0;0;8421504;16777215;43;0;0;16777215;10658466;28;0;0;10658466;"
    "13816530;18;0;0;13816530;13816530;0;0;0";
} // namespace

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

  sButton1 = new skins::TsButton(this);
  sButton1->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
  sButton1->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHotGradient);
  sButton1->SetName("sButton1");
  sButton1->SetParent(this);
  sButton1->SetBounds(8, 495, 120, 27);
  sButton1->SetCaption("Поиск");

  sButton2 = new skins::TsButton(this);
  sButton2->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
  sButton2->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHotGradient);
  sButton2->SetName("sButton2");
  sButton2->SetParent(this);
  sButton2->SetBounds(269, 495, 120, 27);
  sButton2->SetCaption("Закрыть");

  sButton1->OnClick = classlib::Bind(this, &TForm6::sButton1Click);
  sButton2->OnClick = classlib::Bind(this, &TForm6::sButton2Click);
  ListBox1->OnDblClick = classlib::Bind(this, &TForm6::ListBox1DblClick);
}
