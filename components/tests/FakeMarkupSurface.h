// A markup surface of fixed metrics for the renderer's tests and fuzzers:
// every shown character is 7 x 13 pixels (an ampersand prefix takes no
// room, "&&" is one character), whatever the font. It records what is drawn
// and counts the fonts it was asked to make.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "components/AlertMarkup.h"

class FakeMarkupSurface : public markup::MarkupSurface {
 public:
  static constexpr int kCharW = 7, kCharH = 13;

  struct Drawn {
    std::string Run;
    TRect R;
    markup::Color Text = 0, Back = 0;
    markup::Font F;
    bool Ellipsis = false;
  };

  markup::Font Base;
  markup::Color Brush = 0xFFFFFF;
  std::map<std::string, markup::ImageInfo> Images; // by source
  std::vector<Drawn> Runs;
  std::vector<TRect> Fills, Focus, ImagesDrawn, Tiles;
  std::vector<markup::Color> FillColors;
  std::vector<std::pair<TPoint, TPoint>> Lines;
  std::vector<markup::Color> LineColors;
  int FontsMade = 0, FontsFreed = 0, Measures = 0;
  markup::Font Current;

  FakeMarkupSurface() {
    Base.Name = "MS Sans Serif";
    Base.Height = -13;
    Current = Base;
  }

  static int Shown(const std::string& run) {
    int n = 0;
    for (size_t i = 0; i < run.size(); ++i) {
      if (run[i] == '&') {
        if (i + 1 < run.size() && run[i + 1] == '&')
          ++i;
        else
          continue;
      }
      ++n;
    }
    return n;
  }

  markup::Font BaseFont() override { return Base; }
  markup::Color BaseBrush() override { return Brush; }
  void SetFont(const markup::Font& f) override {
    ++FontsMade;
    Current = f;
  }
  void RestoreFont() override {
    FontsFreed = FontsMade;
    Current = Base;
  }
  TSize MeasureRun(const std::string& run) override {
    ++Measures;
    return TSize{Shown(run) * kCharW, kCharH};
  }
  void DrawRun(const std::string& run, const TRect& r, markup::Color text, markup::Color back,
               bool endEllipsis) override {
    Runs.push_back(Drawn{run, r, text, back, Current, endEllipsis});
  }
  void Line(int x1, int y1, int x2, int y2, markup::Color c) override {
    Lines.push_back({TPoint{x1, y1}, TPoint{x2, y2}});
    LineColors.push_back(c);
  }
  void Fill(const TRect& r, markup::Color c) override {
    Fills.push_back(r);
    FillColors.push_back(c);
  }
  void FocusRect(const TRect& r) override { Focus.push_back(r); }
  int PixelsPerInch() override { return 96; }
  markup::ImageInfo FindImage(const markup::ImageRef& ref) override {
    auto it = Images.find(
        ref.Kind == markup::ImageKind::ListIndex ? "IDX:" + std::to_string(ref.Index) : ref.Source);
    return it == Images.end() ? markup::ImageInfo{} : it->second;
  }
  void DrawImage(const markup::ImageRef&, const TRect& r, bool) override {
    ImagesDrawn.push_back(r);
  }
  void TileImage(const markup::ImageRef&, const TRect& r) override { Tiles.push_back(r); }

  // The drawn runs joined, for reading what a line shows.
  std::string Text() const {
    std::string s;
    for (const Drawn& d : Runs) s += d.Run;
    return s;
  }
};
