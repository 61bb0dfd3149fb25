#include "support/RecordingCanvas.h"

namespace qvtest {

std::vector<RecordingCanvas::Call> RecordingCanvas::Of(const std::string& op) const {
  std::vector<Call> result;
  for (const Call& call : calls) {
    if (call.op == op) result.push_back(call);
  }
  return result;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(const std::string& text) const {
  for (const Call& call : calls) {
    if (call.op == "TextOut" && call.text == text) return &call;
  }
  return nullptr;
}

void RecordingCanvas::SetPen(qv::PenStyle style, qv::TColor color) {
  penStyle_ = style;
  penColor_ = color;
}

void RecordingCanvas::SetBrush(qv::BrushStyle style, qv::TColor color) {
  brushStyle_ = style;
  brushColor_ = color;
}

void RecordingCanvas::SetFont(const qv::TFontParams& font) {
  font_ = font;
}

void RecordingCanvas::SetFontColor(qv::TColor color) {
  font_.Color = color;
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom) {
  Record("FillRect", left, top, right, bottom);
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Record("Rectangle", left, top, right, bottom);
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Record("Ellipse", left, top, right, bottom);
}

void RecordingCanvas::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  Record("Line", x_, y_, x, y);
  x_ = x;
  y_ = y;
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  Record("TextOut", x, y, x + TextWidth(text), y + TextHeight(text), text);
}

int RecordingCanvas::TextWidth(const std::string& text) {
  return kCharWidth * static_cast<int>(text.size());
}

int RecordingCanvas::TextHeight(const std::string&) {
  return kTextHeight;
}

void RecordingCanvas::InvertRect(int left, int top, int right, int bottom) {
  Record("InvertRect", left, top, right, bottom);
}

void RecordingCanvas::Record(const std::string& op, int a, int b, int c, int d,
                             const std::string& text) {
  calls.push_back(
      Call{op, a, b, c, d, text, penStyle_, penColor_, brushStyle_, brushColor_, font_});
}

}  // namespace qvtest
