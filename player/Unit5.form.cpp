// Layout of TForm5, the recording-settings dialog: components in creation
// order, their properties set while loading, handlers bound.
#include "player/Unit5.h"

namespace {
// The skinned button's face, white fading from grey, and its hot look.
const char kButtonGradient[] = "8421504;16777215;99;0;0;16777215;16777215;0;0;0";
const char kButtonHotGradient[] =
    "8421504;8421504;10;0;0;8421504;16777215;43;0;0;16777215;10658466;28;0;0;10658466;"
    "13816530;18;0;0;13816530;13816530;0;0;0";
} // namespace

void TForm5::CreateLayout() {
  SetName("Form5");
  SetCaption("Настройки записи");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientWidth(248);
  SetClientHeight(185);
  SetAutoSize(true);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  sGroupBox1 = new TGroupBox(this);
  sGroupBox1->SetName("sGroupBox1");
  sGroupBox1->SetParent(this);
  sGroupBox1->SetBounds(0, 0, 249, 65);

  sRadioButton1 = new skins::TsRadioButton(this);
  sRadioButton1->SetName("sRadioButton1");
  sRadioButton1->SetParent(sGroupBox1);
  sRadioButton1->SetBounds(12, 14, 225, 20);
  sRadioButton1->SetCaption("Записать так как есть");
  sRadioButton1->SetChecked(true);

  sRadioButton2 = new skins::TsRadioButton(this);
  sRadioButton2->SetName("sRadioButton2");
  sRadioButton2->SetParent(sGroupBox1);
  sRadioButton2->SetBounds(12, 38, 225, 20);
  sRadioButton2->SetCaption("Записать со своими настройками");
  sRadioButton2->Font()->SetColor(clNavy);
  sRadioButton2->Font()->SetStyle({fsBold});

  sPanel1 = new skins::TsPanel(this);
  sPanel1->SetName("sPanel1");
  sPanel1->SetParent(this);
  sPanel1->SetBounds(0, 65, 249, 73);
  sPanel1->SetVisible(false);

  sLabel1 = new skins::TsLabel(this);
  sLabel1->SetName("sLabel1");
  sLabel1->SetParent(sPanel1);
  sLabel1->SetLeft(16);
  sLabel1->SetTop(12);
  sLabel1->SetCaption("Битрейт");

  sComboBox1 = new skins::TsComboBox(this);
  sComboBox1->SetName("sComboBox1");
  sComboBox1->SetParent(sPanel1);
  sComboBox1->SetBounds(16, 32, 121, 21);
  // Only the bitrates of the list: the file keeps the chosen line's index.
  sComboBox1->SetStyle(csDropDownList);
  for (const char* b : kBitrates) sComboBox1->Items()->Add(b);
  sComboBox1->SetItemIndex(0); // "96"

  StaticText1 = new TStaticText(this);
  StaticText1->SetName("StaticText1");
  StaticText1->SetParent(sPanel1);
  StaticText1->SetLeft(148);
  StaticText1->SetTop(35);
  StaticText1->SetCaption("Kbит/s"); // K and b are Latin

  sPanel2 = new skins::TsPanel(this);
  sPanel2->SetName("sPanel2");
  sPanel2->SetParent(this);
  sPanel2->SetBounds(0, 138, 249, 41);

  sButton1 = new skins::TsButton(this);
  sButton1->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
  sButton1->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHotGradient);
  sButton1->SetName("sButton1");
  sButton1->SetParent(sPanel2);
  sButton1->SetBounds(74, 8, 100, 25);
  sButton1->SetCaption("Применить");

  OnCreate = classlib::Bind(this, &TForm5::FormCreate);
  sRadioButton1->OnChange = classlib::Bind(this, &TForm5::sRadioButton1Change);
  sRadioButton2->OnChange = classlib::Bind(this, &TForm5::sRadioButton2Change);
  sComboBox1->OnChange = classlib::Bind(this, &TForm5::sComboBox1Change);
  sButton1->OnClick = classlib::Bind(this, &TForm5::sButton1Click);
}
