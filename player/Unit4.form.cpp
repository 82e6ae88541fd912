// Layout of TForm4, the recorded-files window: the grid of three centred
// text columns above a bottom panel with the recording total, the grid's
// popup menu and the one-second timer of the list's load.
#include "player/Unit4.h"

namespace {

constexpr TColor kSkyBlue = 0xF0CAA6;

const TDgFont& TahomaFont(TColor Colour, bool Bold) {
  static TDgFont font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  font.SetColor(Colour);
  font.SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
  return font;
}

TDgTextColumn* AddColumn(TDataGrid* Grid, const std::string& Name, const WideString& Caption,
                         int Width, TColor Colour, bool Bold) {
  auto* col = new TDgTextColumn();
  Grid->Columns()->Add(col);
  col->SetName(Name);
  col->Header()->SetCaption(Caption);
  col->Header()->SetAlignment(taCenter);
  col->SetWidth(Width);
  col->SetAlignment(taCenter);
  col->SetSortType(stAlphabetic);
  col->SetParentFont(false);
  col->SetFont(&TahomaFont(Colour, Bold));
  return col;
}

void LabelFont(TLabel* Label, const char* FontName, TColor Colour, bool Bold) {
  Label->SetParentFont(false);
  Label->Font()->SetName(FontName);
  Label->Font()->SetHeight(-16);
  Label->Font()->SetColor(Colour);
  Label->Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
}

} // namespace

void TForm4::CreateLayout() {
  SetName("Form4");
  SetCaption("Список записанных файлов");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetClientWidth(381);
  SetClientHeight(543);
  SetAlphaBlend(true);
  SetAlphaBlendValue(220);
  Font()->SetName("Tahoma");
  Font()->SetHeight(-11);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  N1 = new TMenuItem(this);
  N1->SetName("N1");
  N1->Caption = "Открыть папку с записанными файлами";
  N1->OnClick = classlib::Bind(this, &TForm4::N1Click);
  PopupMenu1->Items()->Add(N1);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alBottom);
  Panel1->SetHeight(26);
  Panel1->SetCaption("");

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(Panel1);
  Label1->SetBounds(8, 4, 90, 19);
  Label1->SetCaption("Записано:");
  LabelFont(Label1, "Tahoma", clNavy, true);

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(Panel1);
  Label2->SetBounds(104, 4, 200, 19);
  Label2->SetCaption("0000");
  LabelFont(Label2, "Arial Rounded MT Bold", clRed, false);

  DataGrid1 = new TDataGridWindow(this);
  DataGrid1->SetName("DataGrid1");
  DataGrid1->SetParent(this);
  DataGrid1->SetAlign(alClient);
  DataGrid1->SetPopupMenu(PopupMenu1);
  // The list is only looked at: the wheel does not scroll it.
  DataGrid1->MouseWheelEnabled = false;
  TDataGrid* grid = DataGrid1->Grid();
  grid->SetFont(&TahomaFont(clWindowText, false));
  grid->SetColor(clWhite);
  grid->SetGridLinesColor(clSilver);
  grid->SetGridLinesStyle(lsActiveRows);
  grid->SetHeaderStyle(hsOffice2007);
  grid->SetOptions({goGrid, goHeader, goSelectFullRow});
  grid->SetReadOnly(true);
  grid->SetSelectionColor(kSkyBlue);
  grid->SetInactiveSelectionColor(clWhite);
  DgTextColumn1 = AddColumn(grid, "DgTextColumn1", u"№", 50, clGray, true);
  DgTextColumn2 = AddColumn(grid, "DgTextColumn2", u"Композиция", 200, clBlack, false);
  DgTextColumn3 = AddColumn(grid, "DgTextColumn3", u"Размер", 100, clBlue, true);
  grid->OnCellFormating = classlib::Bind(this, &TForm4::DataGrid1CellFormating);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(1000);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = classlib::Bind(this, &TForm4::Timer1Timer);

  BindList();
  OnCreate = classlib::Bind(this, &TForm4::FormCreate);
}
