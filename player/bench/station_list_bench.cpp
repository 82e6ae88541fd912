// The station-list window (TForm7, add panel shown, 40 stations in each
// list) against the same layout on the stock controls it had before the
// skinned ones (TPageControl / TTabSheet, TGroupBox, TLabel, TEdit, TButton),
// under Wine in one run (not a test: run it by hand):
//   200 full repaints of each window (RedrawWindow: invalidate, erase, every
//   child, update now)
// Both windows are shown side by side with the same opacity; the rounds take
// turns and each figure is the best of five. The ratio is what matters.
#include "classlib/WinApi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/Streams.h"
#include "player/PlayerFolderCore.h"
#include "player/Unit7.h"

namespace {

constexpr int kStations = 40;

std::string StationName(int i) { return "Станция " + IntToStr(i + 1); }

void PutList(const std::string& file) {
  std::string bytes;
  for (int i = 0; i < kStations; ++i)
    bytes += "http://127.0.0.1:8000/" + IntToStr(i) + "\r\n" + StationName(i) + "\r\n\r\n";
  TFileStream f(IniFile(file), fmCreate);
  f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void Pump() {
  Application->ProcessMessages();
}

TListBox* StockList(TForm* f, TWinControl* page, TColor text) {
  auto* l = new TListBox(f);
  l->SetParent(page);
  l->SetAlign(alClient);
  l->SetColor(clBlack);
  l->Font()->SetColor(text);
  for (int i = 0; i < kStations; ++i) l->Items()->Add(IntToStr(i + 1) + " " + StationName(i));
  return l;
}

// The window as it was on the stock controls, add panel shown.
TForm* StockWindow() {
  auto* f = New<TForm>(Application);
  f->SetBorderStyle(bsSingle);
  f->SetClientWidth(379);
  f->SetClientHeight(541);
  f->SetAlphaBlend(true);
  f->SetAlphaBlendValue(240);
  f->Font()->SetName("MS Sans Serif");
  f->Font()->SetHeight(-11);
  auto* pc = new TPageControl(f);
  pc->SetParent(f);
  pc->SetAlign(alClient);
  pc->Font()->SetColor(clLime);
  pc->Font()->SetStyle({fsBold});
  auto* s1 = new TTabSheet(f);
  s1->SetPageControl(pc);
  s1->SetCaption("Основные каналы");
  StockList(f, s1, clLime);
  for (int i = 0; i < 2; ++i) {
    auto* v = new TListView(f);
    v->SetParent(s1);
    v->SetVisible(false);
    v->SetViewStyle(vsReport);
  }
  auto* box = new TGroupBox(f);
  box->SetParent(s1);
  box->SetHeight(150);
  box->SetAlign(alBottom);
  box->SetCaption("Добавить канал радио");
  box->SetColor(clSilver);
  box->Font()->SetColor(clNavy);
  box->Font()->SetStyle({fsBold});
  const char* texts[] = {"Название канала-(можно свое название)", "Полный адрес канала радио"};
  const char* buttons[] = {"Добавить", "Выход"};
  for (int i = 0; i < 2; ++i) {
    auto* l = new TLabel(f);
    l->SetParent(box);
    l->SetLeft(12);
    l->SetTop(20 + 44 * i);
    l->SetCaption(texts[i]);
    l->SetTransparent(true);
    l->Font()->SetColor(clBlack);
    l->Font()->SetStyle({});
    auto* e = new TEdit(f);
    e->SetParent(box);
    e->SetBounds(12, 36 + 44 * i, 340, 21);
    e->Font()->SetColor(clWindowText);
    e->Font()->SetStyle({});
    if (i) e->SetText("HTTP://");
    auto* b = new TButton(f);
    b->SetParent(box);
    b->SetBounds(12 + 240 * i, 112, 100, 27);
    b->SetCaption(buttons[i]);
    b->Font()->SetColor(clWindowText);
  }
  auto* s2 = new TTabSheet(f);
  s2->SetPageControl(pc);
  s2->SetCaption("Мои каналы");
  StockList(f, s2, clWhite);
  pc->SetActivePage(s1);
  return f;
}

double Repaints(TForm* f, int n) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i)
    RedrawWindow(f->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main() {
  Application->Initialize();
  const std::string dir = IncludeTrailingPathDelimiter(GetTempDir() + "korvalis_station_bench");
  ForceDirectories(dir + "INI");
  SetPlayerFolder(dir);
  PutList("k1.ini");
  PutList("favoritkanel.ini");

  Application->CreateForm(Form7);
  Form7->SetBounds(0, 0, Form7->Width(), Form7->Height());
  Form7->Show();
  Form7->sGroupBox1->Show();
  TForm* stock = StockWindow();
  stock->SetBounds(Form7->Width() + 20, 0, stock->Width(), stock->Height());
  stock->Show();
  for (int i = 0; i < 20; ++i) Pump();
  if (Form7->slistbox1->Count() != kStations) {
    std::printf("the station list did not load (%d lines)\n", Form7->slistbox1->Count());
    return 1;
  }

  double skinned = 1e300, plain = 1e300;
  Repaints(Form7, 20); // warm both up: fonts, caches, brushes
  Repaints(stock, 20);
  for (int round = 0; round < 5; ++round) {
    skinned = std::min(skinned, Repaints(Form7, 200));
    plain = std::min(plain, Repaints(stock, 200));
  }
  std::printf("200 repaints of the station-list window, add panel shown:\n"
              "  skinned (TForm7) %8.1f ms   stock layout %8.1f ms   ratio %5.2f\n",
              skinned, plain, skinned / plain);
  stock->Free();
  Form7->Free();
  Form7 = nullptr;
  SetPlayerFolder("");
  return 0;
}
