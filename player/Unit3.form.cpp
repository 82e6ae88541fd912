// Layout of the connection-error window: a white panel with the red message.
#include "player/Unit1.h"
#include "player/Unit3.h"

void TForm3::CreateLayout() {
  SetName("Form3");
  SetCaption("Ошибка");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetClientWidth(272);
  SetClientHeight(75);
  SetAlphaBlend(true);
  SetAlphaBlendValue(150);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alClient);
  Panel1->SetParentColor(false);
  Panel1->SetColor(clWhite);
  Panel1->SetCaption("Не вижу сервера");
  Panel1->SetParentFont(false);
  Panel1->Font()->SetName("MS Sans Serif");
  Panel1->Font()->SetHeight(-32);
  Panel1->Font()->SetColor(clRed);
  OnCreate = [this](TObject*) { ConnectErrorForm = this; };
  OnDestroy = [this](TObject*) {
    if (ConnectErrorForm == this) ConnectErrorForm = nullptr;
  };
}
