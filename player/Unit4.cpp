// The recorded-files window's handlers and its bond with the recording
// engine: the grid as the list's rows, the list as the engine's view.
#include "player/Unit4.h"

#include "classlib/WinApi.h"

#include "classlib/Cp1251.h"
#include "classlib/ShellUtils.h"
#include "classlib/SysUtils.h"
#include "components/Magnetic.h"
#include "player/PlayerFolderCore.h"
#include "player/Unit1.h"

TForm4* Form4 = nullptr;

namespace {
constexpr UINT kReportMessage = WM_APP + 41;
}

// The grid's rows as the list sees them. A row's identity is its first
// cell, which the store moves with the row and frees only with it.
class TForm4::TGridRows : public TRecordedRows {
 public:
  explicit TGridRows(TDataGridWindow* Window) : window_(Window), grid_(Window->Grid()) {}
  int RowCount() override { return grid_->RowCount(); }
  int AddRow() override { return grid_->AddRow(1); }
  WideString Text(int Col, int Row) override { return grid_->Cells(Col, Row); }
  void SetText(int Col, int Row, const WideString& Value) override {
    grid_->SetCells(Col, Row, Value);
  }
  void DeleteRow(int Row) override { grid_->DeleteRow(Row); }
  void ClearRows() override { grid_->ClearRows(); }
  const void* RowKey(int Row) override { return grid_->Cell(0, Row); }
  int RowOfKey(const void* Key) override { return static_cast<const TCell*>(Key)->RowIndex(); }
  void ShowRow(int Row) override {
    grid_->ScrollToRow(Row);
    grid_->SetSelectedRow(Row);
  }
  void Repaint() override { window_->Repaint(); }
  void SaveText(const WideString& FileName, char16_t Separator, char16_t Delimiter,
                uint8_t Encoding) override {
    grid_->SaveToTextFile(FileName, Separator, Delimiter, Encoding);
  }
  void LoadText(const WideString& FileName, char16_t Separator, char16_t Delimiter) override {
    grid_->LoadFromTextFile(FileName, Separator, Delimiter);
  }

 private:
  TDataGridWindow* window_ = nullptr;
  TDataGrid* grid_ = nullptr;
};

// The list with the window's caption and total label. A failed save of the
// list is reported after the engine's changes have been applied.
class TForm4::TView : public TRecordedList {
 public:
  TView(TForm4* Form, TRecordedRows& Rows, const WideString& FileName)
      : TRecordedList(Rows, FileName), form_(Form) {}
  void AddRecordedFile(const std::string& Name) override {
    try {
      TRecordedList::AddRecordedFile(Name);
    } catch (const std::exception& e) { form_->ReportLater(e.what()); }
  }
  void DeleteLastRow() override {
    try {
      TRecordedList::DeleteLastRow();
    } catch (const std::exception& e) { form_->ReportLater(e.what()); }
  }
  void SetCaption(const std::string& Text) override { form_->SetCaption(Text); }
  void SetTotal(const std::string& Text) override { form_->Label2->SetCaption(Text); }

 private:
  TForm4* form_ = nullptr;
};

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {}

TForm4::~TForm4() {
  if (view_) SetRecordedFilesTarget(nullptr);
  if (RecordedFilesForm == this) {
    RecordedFilesForm = nullptr;
    RepaintRecordedFiles = nullptr;
  }
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::BindList() {
  rows_ = std::make_unique<TGridRows>(DataGrid1);
  view_ = std::make_unique<TView>(this, *rows_, Cp1251ToUtf16(IniFile("zapisano.ini")));
  ShellRequest = [](const std::string& Folder, const std::string& Verb, int Show) {
    classlib::ShellOpen(Folder, Verb, "", "", Show, nullptr);
  };
}

TRecordedList& TForm4::List() { return *view_; }

void TForm4::AddRecordedFile(const std::string& Name) { view_->AddRecordedFile(Name); }

void TForm4::SaveRecordedList() { view_->SaveRecordedList(); }

void TForm4::LoadRecordedList() { view_->LoadRecordedList(); }

void TForm4::FormCreate(TObject* Sender) {
  // It moves with the main window; the main window opens it beside itself.
  if (MagneticInstance) MagneticInstance->AddWindow(Handle(), MainWnd);
  RecordedFilesForm = this;
  RepaintRecordedFiles = [] { RecordedFiles().Repaint(); };
  SetRecordedFilesTarget(view_.get());
  Timer1->SetEnabled(true);
}

void TForm4::Timer1Timer(TObject* Sender) {
  Timer1->SetEnabled(false);
  LoadRecordedList();
}

void TForm4::N1Click(TObject* Sender) {
  if (ShellRequest) ShellRequest(PlayerFolder() + "AUDIO\\", "explore", SW_SHOW);
}

void TForm4::DataGrid1CellFormating(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                                    TFontStyles& FontStyle, TCellState CellState) {
  TRecordedCellColor c = view_->CellColor(ACol, ARow);
  if (c.Change) TextColor = c.Color;
}

void TForm4::ReportLater(const std::string& Text) {
  // One report waits at a time: a disk that refuses every save must not
  // stack a message box per file.
  bool post = pending_report_.empty();
  pending_report_ = Text.empty() ? "The list of recorded files could not be saved" : Text;
  if (post && HandleAllocated()) PostMessageW(Handle(), kReportMessage, 0, 0);
}

void TForm4::WndProc(TMessage& Message) {
  if (Message.Msg == kReportMessage) {
    std::string text;
    text.swap(pending_report_);
    if (!text.empty()) Application->ShowException(Exception(text));
    return;
  }
  TForm::WndProc(Message);
}
