// Layout of TForm7, the station-list window: components in creation order,
// their properties set while loading, handlers bound.
#include "player/Unit7.h"

namespace {

// The add panel's grey, darker at the top and bottom edges; the buttons'
// faces white fading from grey, and their hot look.
const char kGroupGradient[] =
    "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;16777215;"
    "8421504;20;0;0;8421504;8421504;0;0;0";
const char kButtonGradient[] = "8421504;16777215;99;0;0;16777215;16777215;0;0;0";
const char kButtonHotGradient[] =
    "8421504;8421504;10;0;0;8421504;16777215;43;0;0;16777215;10658466;28;0;0;10658466;"
    "13816530;18;0;0;13816530;13816530;0;0;0";

TMenuItem* MenuItem(TForm7* owner, TPopupMenu* menu, const char* name, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->Caption = caption;
  menu->Items()->Add(item);
  return item;
}

TListView* HiddenStore(TForm7* owner, TWinControl* parent, const char* name) {
  auto* v = new TListView(owner);
  v->SetName(name);
  v->SetParent(parent);
  v->SetVisible(false);
  v->SetViewStyle(vsReport);
  v->Columns()->Add(); // the address
  v->Columns()->Add(); // the name
  return v;
}

} // namespace

void TForm7::CreateLayout() {
  SetName("Form7");
  SetCaption("Cписок станций"); // the first letter is a Latin C
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetClientWidth(379);
  SetClientHeight(541);
  SetAlphaBlend(true);
  SetAlphaBlendValue(240);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  sPageControl1 = new skins::TsPageControl(this);
  sPageControl1->SetName("sPageControl1");
  sPageControl1->SetParent(this);
  sPageControl1->SetAlign(alClient);
  sPageControl1->Font()->SetColor(clLime);
  sPageControl1->Font()->SetStyle({fsBold});

  sTabSheet1 = new skins::TsTabSheet(this);
  sTabSheet1->SetName("sTabSheet1");
  sTabSheet1->SetPageControl(sPageControl1);
  sTabSheet1->SetCaption("Основные каналы");

  slistbox1 = new TListBox(this);
  slistbox1->SetName("slistbox1");
  slistbox1->SetParent(sTabSheet1);
  slistbox1->SetAlign(alClient);
  slistbox1->SetColor(clBlack);
  slistbox1->Font()->SetColor(clLime);

  ListView1 = HiddenStore(this, sTabSheet1, "ListView1");
  ListView2 = HiddenStore(this, sTabSheet1, "ListView2");

  // The add panel takes the bottom of the page while shown; the list above
  // it shrinks.
  sGroupBox1 = new skins::TsGroupBox(this);
  sGroupBox1->SetName("sGroupBox1");
  sGroupBox1->SetParent(sTabSheet1);
  sGroupBox1->SetHeight(150);
  sGroupBox1->SetAlign(alBottom);
  sGroupBox1->SetCaption("Добавить канал радио");
  sGroupBox1->SetVisible(false);
  sGroupBox1->sStyle()->Background()->Gradient()->SetData(kGroupGradient);
  sGroupBox1->Font()->SetColor(clNavy);
  sGroupBox1->Font()->SetStyle({fsBold});

  auto label = [this](skins::TsLabel*& l, const char* name, int top,
                      const std::string& caption) {
    l = new skins::TsLabel(this);
    l->SetName(name);
    l->SetParent(sGroupBox1);
    l->SetLeft(12);
    l->SetTop(top);
    l->SetCaption(caption);
    l->SetTransparent(true);
    l->Font()->SetColor(clBlack);
    l->Font()->SetStyle({});
  };
  auto edit = [this](skins::TsEdit*& e, const char* name, int top) {
    e = new skins::TsEdit(this);
    e->SetName(name);
    e->SetParent(sGroupBox1);
    e->SetBounds(12, top, 340, 21);
    e->Font()->SetColor(clWindowText);
    e->Font()->SetStyle({});
  };
  label(sLabel1, "sLabel1", 20, "Название канала-(можно свое название)");
  edit(sEdit1, "sEdit1", 36);
  label(sLabel2, "sLabel2", 64, "Полный адрес канала радио");
  edit(sEdit2, "sEdit2", 80);
  sEdit2->SetText("HTTP://");

  auto button = [this](skins::TsButton*& b, const char* name, int left,
                       const std::string& caption) {
    b = new skins::TsButton(this);
    b->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
    b->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHotGradient);
    b->SetName(name);
    b->SetParent(sGroupBox1);
    b->SetBounds(left, 112, 100, 27);
    b->SetCaption(caption);
    b->Font()->SetColor(clWindowText);
  };
  button(sButton1, "sButton1", 12, "Добавить");
  button(sButton2, "sButton2", 252, "Выход");

  sTabSheet2 = new skins::TsTabSheet(this);
  sTabSheet2->SetName("sTabSheet2");
  sTabSheet2->SetPageControl(sPageControl1);
  sTabSheet2->SetCaption("Мои каналы");

  listbox2 = new TListBox(this);
  listbox2->SetName("listbox2");
  listbox2->SetParent(sTabSheet2);
  listbox2->SetAlign(alClient);
  listbox2->SetColor(clBlack);
  listbox2->Font()->SetColor(clWhite);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  N1 = MenuItem(this, PopupMenu1, "N1", "Добавить канал");
  N5 = MenuItem(this, PopupMenu1, "N5", "Изменить данные канала");
  N6 = MenuItem(this, PopupMenu1, "N6", "Добавить канал в список Мои каналы");
  N2 = MenuItem(this, PopupMenu1, "N2", "Удалить канал");
  N10 = MenuItem(this, PopupMenu1, "N10", "Поиск радио в списке");
  slistbox1->SetPopupMenu(PopupMenu1);

  PopupMenu2 = new TPopupMenu(this);
  PopupMenu2->SetName("PopupMenu2");
  N3 = MenuItem(this, PopupMenu2, "N3", "Удалить канал");
  listbox2->SetPopupMenu(PopupMenu2);

  sPageControl1->SetActivePage(sTabSheet1);

  OnCreate = classlib::Bind(this, &TForm7::FormCreate);
  OnClose = classlib::Bind(this, &TForm7::FormClose);
  slistbox1->OnDblClick = classlib::Bind(this, &TForm7::slistbox1DblClick);
  listbox2->OnDblClick = classlib::Bind(this, &TForm7::listbox2DblClick);
  N1->OnClick = classlib::Bind(this, &TForm7::N1Click);
  N5->OnClick = classlib::Bind(this, &TForm7::N5Click);
  N6->OnClick = classlib::Bind(this, &TForm7::N6Click);
  N2->OnClick = classlib::Bind(this, &TForm7::N2Click);
  N3->OnClick = classlib::Bind(this, &TForm7::N3Click);
  N10->OnClick = classlib::Bind(this, &TForm7::N10Click);
  sButton1->OnClick = classlib::Bind(this, &TForm7::sButton1Click);
  sButton2->OnClick = classlib::Bind(this, &TForm7::sButton2Click);
}
