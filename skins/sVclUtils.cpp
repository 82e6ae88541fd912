// The skinned containers' routines (see sVclUtils.h).
#include "skins/sVclUtils.h"

#include "skins/sCommonDataCore.h"
#include "skins/sCustomLabelCore.h"
#include "skins/sStyleSimply.h"

namespace skins {

namespace {
bool Destroying(TControl* c) { return c->ComponentState().Contains(csDestroying); }
}  // namespace

bool ControlReady(TControl* c) {
  return c && c->Parent() && !c->ComponentState().Contains(csLoading) && !Destroying(c);
}

TCustomForm* GetParentForm(TControl* c) {
  for (TControl* p = c; p; p = p->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(p)) return f;
  return nullptr;
}

UINT CaptionFlags(TAlignment alignment, bool right_to_left) {
  const UINT flags = alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
  return RightToLeftTextFlags(flags | DT_VCENTER | DT_EXPANDTABS, right_to_left);
}

void PaintChildrenIntoImage(TWinControl* container, const TPixels& image) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (Destroying(c)) break;
    TsGenStyle* s = StyleOf(c);
    if (s && c->Visible() && s->KindCode > 0 && s->Effects()->Shadow()->Enabled())
      s->PaintShadow(image, 0, 0);
  }
}

void SendParentImageChanged(TControl* c, bool changed) {
  c->Perform(msg::ParentImageChanged, 0, changed ? -1 : 0);
}

void RepaintWindow(TControl* c) {
  auto* w = dynamic_cast<TWinControl*>(c);
  if (w && w->HandleAllocated())
    InvalidateRect(w->Handle(), nullptr, FALSE);
  else
    c->Invalidate();
}

void RepaintChildren(TWinControl* container, bool out_of_date) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (!ControlReady(c)) continue;
    if (dynamic_cast<ISkinnedLabel*>(c)) {
      c->Invalidate();
      continue;
    }
    ISkinnedControl* sk = SkinnedOf(c);
    if (!sk) continue;
    unsigned k = 0;
    if (TsGenStyle* s = sk->SkinStyle())
      k = s->KindCode;
    else if (TsCommonData* d = sk->SkinCommonData())
      k = d->KindCode;
    if (kind::IsChecked(k)) {
      if (out_of_date) {
        SendParentImageChanged(c, true);
        c->Invalidate();
      }
    } else if (kind::In(k, 51, 57) || k == kind::CustomPanel || k == kind::GroupBox) {
      SendParentImageChanged(c, out_of_date);
      RepaintWindow(c);
    } else if (kind::IsButton(k) || k == kind::TabControl) {
      if (out_of_date) SendParentImageChanged(c, true);
      RepaintWindow(c);
    } else if (k == kind::TrackBar) {
      if (out_of_date) {
        SendParentImageChanged(c, true);
        c->Invalidate();
      }
    }
  }
}

void RefreshLabels(TWinControl* container) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (ControlReady(c) && dynamic_cast<ISkinnedLabel*>(c)) c->Invalidate();
  }
}

}  // namespace skins
