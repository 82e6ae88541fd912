// Layout of TControlsWindow: components in creation order, their properties
// set while loading, handlers bound.
#include "classlib/tests/controls_test_window.h"

void TControlsWindow::CreateLayout() {
  SetName("ControlsWindow");
  SetCaption("Все элементы");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetClientWidth(640);
  SetClientHeight(420);
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  PaintBox1 = new TPaintBox(this);
  PaintBox1->SetName("PaintBox1");
  PaintBox1->SetParent(this);
  PaintBox1->SetBounds(0, 0, 640, 60);

  auto label = [this](TLabel*& l, const char* name, int x, int y, const std::string& text,
                      TColor c) {
    l = new TLabel(this);
    l->SetName(name);
    l->SetParent(this);
    l->SetLeft(x);
    l->SetTop(y);
    l->SetCaption(text);
    l->SetTransparent(true);
    l->Font()->SetColor(c);
  };
  label(Label1, "Label1", 16, 8, "Канал:", classlib::RGBColor(90, 170, 255));
  label(Label6, "Label6", 16, 32, "Запись ", classlib::RGBColor(90, 170, 255));
  label(Label7, "Label7", 96, 32, "Vol+", classlib::RGBColor(90, 170, 255));
  label(Label9, "Label9", 140, 32, "5", classlib::RGBColor(90, 255, 250));
  label(Label11, "Label11", 400, 30, "www.korvalis.example", clBlue);
  Label11->SetAutoSize(false);
  Label11->SetBounds(400, 30, 177, 20);
  Label11->SetAlignment(taCenter);
  Label11->Font()->SetHeight(-16);
  Label11->Font()->SetStyle({fsUnderline});
  Label11->SetCursor(crHandPoint);

  Bevel1 = new TBevel(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetParent(this);
  Bevel1->SetBounds(5, 64, 630, 2);
  Bevel1->SetShape(bsTopLine);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 72, 300, 130);
  GroupBox1->SetCaption("Добавить канал радио");
  GroupBox1->Font()->SetColor(clNavy);
  GroupBox1->Font()->SetStyle({fsBold});

  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(GroupBox1);
  Edit1->SetBounds(12, 24, 276, 21);
  Edit1->Font()->SetStyle({});
  Edit1->Font()->SetColor(clWindowText);

  Edit2 = new TEdit(this);
  Edit2->SetName("Edit2");
  Edit2->SetParent(GroupBox1);
  Edit2->SetBounds(12, 52, 276, 21);
  Edit2->SetText("HTTP://");
  Edit2->SetMaxLength(20);
  Edit2->Font()->SetStyle({});
  Edit2->Font()->SetColor(clWindowText);

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(GroupBox1);
  Button1->SetBounds(12, 90, 80, 25);
  Button1->SetCaption("Добавить");
  Button1->SetDefault(true);

  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(GroupBox1);
  Button2->SetBounds(100, 90, 80, 25);
  Button2->SetCaption("Выход");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);

  ListBox1 = new TListBox(this);
  ListBox1->SetName("ListBox1");
  ListBox1->SetParent(this);
  ListBox1->SetBounds(8, 210, 300, 120);
  ListBox1->SetColor(clBlack);
  ListBox1->Font()->SetColor(clLime);
  ListBox1->Items()->Add("1 Радио Ёлка");
  ListBox1->Items()->Add("2 Jazz A");
  ListBox1->Items()->Add("3 Блюз");

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  N1 = new TMenuItem(this);
  N1->SetName("N1");
  N1->Caption = "Добавить канал";
  PopupMenu1->Items()->Add(N1);
  N3 = new TMenuItem(this);
  N3->SetName("N3");
  N3->Caption = "-";
  PopupMenu1->Items()->Add(N3);
  N2 = new TMenuItem(this);
  N2->SetName("N2");
  N2->Caption = "Удалить канал";
  N2->Default = true;
  PopupMenu1->Items()->Add(N2);
  ListBox1->SetPopupMenu(PopupMenu1);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetBounds(320, 72, 312, 130);
  Panel1->SetBevelInner(bvLowered);
  Panel1->SetAlignment(taRightJustify);
  Panel1->SetCaption("Панель ");

  RadioButton1 = new TRadioButton(this);
  RadioButton1->SetName("RadioButton1");
  RadioButton1->SetParent(Panel1);
  RadioButton1->SetBounds(8, 8, 220, 17);
  RadioButton1->SetCaption("Записать так как есть");
  RadioButton1->SetChecked(true);

  RadioButton2 = new TRadioButton(this);
  RadioButton2->SetName("RadioButton2");
  RadioButton2->SetParent(Panel1);
  RadioButton2->SetBounds(8, 30, 260, 17);
  RadioButton2->SetCaption("Записать со своими настройками");
  RadioButton2->Font()->SetColor(clNavy);
  RadioButton2->Font()->SetStyle({fsBold});

  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetParent(Panel1);
  ComboBox1->SetBounds(8, 56, 100, 21);
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->SetText("96"); // before its lines, as a layout may give it
  for (const char* s : {"96", "128", "192", "224", "256", "320"}) ComboBox1->Items()->Add(s);

  StaticText1 = new TStaticText(this);
  StaticText1->SetName("StaticText1");
  StaticText1->SetParent(Panel1);
  StaticText1->SetBounds(116, 60, 40, 17);
  StaticText1->SetCaption("Kbит/s");

  ComboBox2 = new TComboBox(this);
  ComboBox2->SetName("ComboBox2");
  ComboBox2->SetParent(Panel1);
  ComboBox2->SetBounds(8, 92, 150, 21);
  ComboBox2->Items()->Add("Москва");
  ComboBox2->Items()->Add("Минск");
  ComboBox2->SetText("свой");

  PageControl1 = new TPageControl(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetBounds(320, 210, 312, 200);

  TabSheet1 = new TTabSheet(this);
  TabSheet1->SetName("TabSheet1");
  TabSheet1->SetPageControl(PageControl1);
  TabSheet1->SetCaption("Основные каналы");

  TabSheet2 = new TTabSheet(this);
  TabSheet2->SetName("TabSheet2");
  TabSheet2->SetPageControl(PageControl1);
  TabSheet2->SetCaption("Мои каналы");

  TrackBar1 = new TTrackBar(this);
  TrackBar1->SetName("TrackBar1");
  TrackBar1->SetParent(TabSheet1);
  TrackBar1->SetBounds(8, 4, 200, 32);
  TrackBar1->SetRange(0, 100);
  TrackBar1->SetPosition(50);
  TrackBar1->SetFrequency(10);

  ListView1 = new TListView(this);
  ListView1->SetName("ListView1");
  ListView1->SetParent(TabSheet1);
  ListView1->SetBounds(8, 40, 285, 120);
  ListView1->SetViewStyle(vsReport);
  ListView1->SetRowSelect(true);
  ListView1->Columns()->Add()->SetCaption("Адрес");
  ListView1->Columns()->Items(0)->SetWidth(150);
  ListView1->Columns()->Add()->SetCaption("Имя");
  ListView1->Columns()->Items(1)->SetWidth(120);

  eq1 = new TTrackBar(this);
  eq1->SetName("eq1");
  eq1->SetParent(TabSheet2);
  eq1->SetOrientation(trVertical);
  eq1->SetBounds(16, 10, 22, 150);
  eq1->SetRange(0, 30);
  eq1->SetPosition(15);
  eq1->SetThumbLength(15);
  eq1->SetFrequency(5);
  eq1->SetHint("80гц");
  eq1->SetShowHint(true);

  ListView2 = new TListView(this);
  ListView2->SetName("ListView2");
  ListView2->SetParent(this);
  ListView2->SetVisible(false);
  ListView2->SetViewStyle(vsReport);
  ListView2->Columns()->Add();
  ListView2->Columns()->Add();

  PaintBox1->OnPaint = classlib::Bind(this, &TControlsWindow::PaintBox1Paint);
  Label6->OnMouseEnter = classlib::Bind(this, &TControlsWindow::Label6MouseEnter);
  Label6->OnMouseLeave = classlib::Bind(this, &TControlsWindow::Label6MouseLeave);
  Label7->OnMouseDown = classlib::Bind(this, &TControlsWindow::Label7MouseDown);
  Label7->OnMouseUp = classlib::Bind(this, &TControlsWindow::Label7MouseUp);
  Label11->OnClick = classlib::Bind(this, &TControlsWindow::Label11Click);
  Edit1->OnChange = classlib::Bind(this, &TControlsWindow::Edit1Change);
  Button1->OnClick = classlib::Bind(this, &TControlsWindow::Button1Click);
  Button2->OnClick = classlib::Bind(this, &TControlsWindow::Button2Click);
  ListBox1->OnDblClick = classlib::Bind(this, &TControlsWindow::ListBox1DblClick);
  N1->OnClick = classlib::Bind(this, &TControlsWindow::N1Click);
  N2->OnClick = classlib::Bind(this, &TControlsWindow::N2Click);
  RadioButton1->OnChange = classlib::Bind(this, &TControlsWindow::RadioButton1Change);
  RadioButton2->OnChange = classlib::Bind(this, &TControlsWindow::RadioButton2Change);
  ComboBox1->OnChange = classlib::Bind(this, &TControlsWindow::ComboBox1Change);
  PageControl1->OnChange = classlib::Bind(this, &TControlsWindow::PageControl1Change);
  eq1->OnChange = classlib::Bind(this, &TControlsWindow::eq1Change);
}
