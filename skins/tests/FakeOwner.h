// A control as the style model sees it, for native tests: place, state,
// colours, a parent and children that are fakes too, and a record of what
// the style asked of it (invalidations, regions, parent refreshes).
#pragma once

#include <string>
#include <vector>

#include "skins/sStyleSimplyCore.h"

namespace skins::test {

struct FakeOwner : TsStyleOwner {
  TRect bounds = Rect(0, 0, 40, 30);
  std::string class_name = "TsPanel", name = "Panel1";
  bool visible = true, enabled = true, creating = false, destroying = false, focus = false;
  bool down = false, default_button = false, list_open = false;
  TColor color = 0x123456, parent_color = 0x654321;
  bool parent_color_flag = true;
  FakeOwner* parent = nullptr;
  // The style of this control (set by the test), lent to the parent's image
  // query and listed by the parent among its children.
  TsGenStyle* style = nullptr;
  bool parent_skinned_override = true;
  std::vector<FakeOwner*> children;
  std::vector<TsTabStop> tab_order;
  const void* focused_to = nullptr;

  int invalidated = 0, repainted = 0, parent_refreshed = 0, region_calls = 0;
  std::vector<TRect> region;
  bool region_redraw = false, has_window = true;

  TRect BoundsRect() override { return bounds; }
  std::string ClassName() override { return class_name; }
  std::string Name() override { return name; }
  bool Visible() override { return visible; }
  bool Enabled() override { return enabled; }
  bool Creating() override { return creating; }
  bool Destroying() override { return destroying; }
  bool HasFocus() override { return focus; }
  TColor Color() override { return color; }
  void SetColor(TColor c) override { color = c; }
  void SetParentColor(bool v) override {
    parent_color_flag = v;
    if (v) color = ParentsColor();
  }
  TColor ParentsColor() override { return parent ? parent->color : parent_color; }
  void InvalidateControl() override { ++invalidated; }
  void RepaintControl() override { ++repainted; }
  bool ApplyRegion(const std::vector<TRect>& rects, bool redraw) override {
    if (!has_window) return false;
    ++region_calls;
    region = rects;
    region_redraw = redraw;
    return true;
  }
  bool HasParent() override { return parent != nullptr; }
  bool ParentSkinned() override { return parent && parent->style && parent_skinned_override; }
  TParentBackground ParentBackground() override {
    if (!parent || !parent->style) return TParentBackground{};
    TParentBackground p = parent->style->ImageForChildren();
    return p;
  }
  void RefreshParent() override {
    ++parent_refreshed;
    if (parent && parent->style) {
      TsMessage m{msg::ParentImageChanged, 0, -1, 0};
      parent->style->WndProc(m);
    }
  }
  std::vector<TsGenStyle*> ChildStyles() override {
    std::vector<TsGenStyle*> out;
    for (FakeOwner* c : children) {
      if (c->destroying) break;
      if (c->style) out.push_back(c->style);
    }
    return out;
  }
  bool ActsAsDefault() override { return default_button; }
  bool Down() override { return down; }
  bool ListOpen() override { return list_open; }
  void ClearListOpen() override { list_open = false; }
  std::vector<TsTabStop> TabOrder() override { return tab_order; }
  void FocusControl(const void* id) override { focused_to = id; }
  // The messages the style sent its own control.
  std::vector<unsigned> sent;
  void SendToControl(unsigned message, uintptr_t, intptr_t) override { sent.push_back(message); }
};

// Pixel helpers.
inline TRgb PixelAt(TsImage* image, int x, int y) {
  const uint8_t* p = image->Pixels().At(x, y);
  return TRgb{p[2], p[1], p[0]};
}
inline void FillImage(TsImage* image, TRgb c) {
  TPixels p = image->Pixels();
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      uint8_t* q = p.At(x, y);
      q[0] = c.b;
      q[1] = c.g;
      q[2] = c.r;
    }
}

}  // namespace skins::test
