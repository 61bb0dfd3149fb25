#pragma once

#include <string>
#include <vector>

#include "map/Canvas.h"

namespace qvtest {

// A canvas that draws nothing and records every call with the pen, brush and
// font in force, so tests can check what the map draws and where. Text is
// measured with a fixed metric: 6 pixels a character wide, 12 pixels high.
class RecordingCanvas : public qv::TCanvas {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kTextHeight = 12;

  struct Call {
    std::string op;  // "FillRect", "Rectangle", "Ellipse", "Line", "TextOut", "InvertRect"
    int a = 0, b = 0, c = 0, d = 0;  // left, top, right, bottom; for lines from (a, b) to (c, d)
    std::string text;
    qv::PenStyle penStyle = qv::PenStyle::Solid;
    qv::TColor penColor = 0;
    qv::BrushStyle brushStyle = qv::BrushStyle::Solid;
    qv::TColor brushColor = 0;
    qv::TFontParams font;  // its Color is the font colour in force
  };

  std::vector<Call> calls;

  // The recorded calls of one kind, in order.
  std::vector<Call> Of(const std::string& op) const;
  // The first TextOut of a text, or nullptr.
  const Call* FindText(const std::string& text) const;

  void SetPen(qv::PenStyle style, qv::TColor color) override;
  void SetBrush(qv::BrushStyle style, qv::TColor color) override;
  void SetFont(const qv::TFontParams& font) override;
  void SetFontColor(qv::TColor color) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void InvertRect(int left, int top, int right, int bottom) override;

 private:
  qv::PenStyle penStyle_ = qv::PenStyle::Solid;
  qv::TColor penColor_ = 0;
  qv::BrushStyle brushStyle_ = qv::BrushStyle::Solid;
  qv::TColor brushColor_ = 0xFFFFFF;
  qv::TFontParams font_;
  int x_ = 0, y_ = 0;
  void Record(const std::string& op, int a, int b, int c, int d, const std::string& text = {});
};

}  // namespace qvtest
