// How long the stock lists take to fill, with their windows on screen: the
// station-list window loads every station into a list box and a hidden list
// view at start and after each edit. Prints milliseconds per N lines.
//   stdctrls_bench [N]   (default 2000)
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"

namespace {

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

} // namespace

int main(int argc, char** argv) {
  int n = argc > 1 ? std::atoi(argv[1]) : 2000;
  Application->Initialize();
  auto* form = New<TForm>(Application);
  form->SetClientWidth(400);
  form->SetClientHeight(500);
  auto* list = new TListBox(form);
  list->SetParent(form);
  list->SetBounds(0, 0, 400, 250);
  auto* view = new TListView(form);
  view->SetParent(form);
  view->SetBounds(0, 250, 400, 250);
  view->SetViewStyle(vsReport);
  view->Columns()->Add();
  view->Columns()->Add();
  form->Show();
  Application->ProcessMessages();

  for (int round = 0; round < 4; ++round) {
    // Rounds 1 and 2 fill the lists line by line, as the station lists do;
    // rounds 3 and 4 inside BeginUpdate/EndUpdate.
    bool batch = round >= 2;
    auto t = std::chrono::steady_clock::now();
    if (batch) list->Items()->BeginUpdate();
    list->Items()->Clear();
    for (int i = 0; i < n; ++i)
      list->Items()->Add(IntToStr(i + 1) + " Радиостанция номер " + IntToStr(i));
    if (batch) list->Items()->EndUpdate();
    double lb = Ms(t);

    t = std::chrono::steady_clock::now();
    if (batch) view->Items()->BeginUpdate();
    view->Items()->Clear();
    for (int i = 0; i < n; ++i) {
      TListItem* it = view->Items()->Add();
      it->SetCaption("http://127.0.0.1:8000/stream" + IntToStr(i));
      it->SubItems()->Add("Радиостанция номер " + IntToStr(i));
    }
    if (batch) view->Items()->EndUpdate();
    double lv = Ms(t);

    t = std::chrono::steady_clock::now();
    size_t bytes = 0;
    for (int i = 0; i < n; ++i)
      bytes += view->Items()->Item(i)->Caption().size() + list->Items()->Get(i).size();
    double rd = Ms(t);
    auto p = std::chrono::steady_clock::now();
    Application->ProcessMessages(); // the deferred repaint of both lists
    double paint = Ms(p);
    std::printf(
        "round %d (%s), %d lines: repaint %.1f ms, list box %.1f ms, list view %.1f ms, reading "
        "both %.2f ms (%zu bytes)\n",
        round + 1, batch ? "batch" : "line by line", n, paint, lb, lv, rd, bytes);
  }
  form->Free();
  return 0;
}
