#include "widgets/QtNumberBox.h"

#include <optional>

namespace qv {

namespace {

// The whole number a text stands for, held to [minimum, maximum]: an
// optional sign and digits, blanks around them allowed. Nothing for any
// other text, and nothing while only a sign has been typed.
std::optional<int> HeldNumber(const QString& text, int minimum, int maximum) {
  const QString trimmed = text.trimmed();
  qsizetype digitsFrom = 0;
  if (!trimmed.isEmpty() && (trimmed[0] == '-' || trimmed[0] == '+')) digitsFrom = 1;
  if (digitsFrom == trimmed.size()) return std::nullopt;
  long long value = 0;
  for (qsizetype i = digitsFrom; i < trimmed.size(); ++i) {
    if (!trimmed[i].isDigit() || trimmed[i].digitValue() < 0) return std::nullopt;
    // Past any int the text only says "beyond the limit"; stop growing.
    if (value < 10000000000LL) value = value * 10 + trimmed[i].digitValue();
  }
  if (trimmed[0] == '-') value = -value;
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return static_cast<int>(value);
}

}  // namespace

QtNumberBox::QtNumberBox(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setSingleStep(1);
  setWrapping(false);
}

QValidator::State QtNumberBox::validate(QString& text, int& pos) const {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty() || trimmed == "-" || trimmed == "+") return QValidator::Intermediate;
  const std::optional<int> held = HeldNumber(text, minimum(), maximum());
  if (!held) return QValidator::Invalid;
  // A number beyond the range may be typed; it is held to the range later.
  if (trimmed != QString::number(*held)) return QValidator::Intermediate;
  return QSpinBox::validate(text, pos);
}

void QtNumberBox::fixup(QString& text) const {
  if (const std::optional<int> held = HeldNumber(text, minimum(), maximum()))
    text = QString::number(*held);
  else
    QSpinBox::fixup(text);
}

void CommitNumberBoxes(QWidget& window) {
  for (QtNumberBox* box : window.findChildren<QtNumberBox*>())
    box->interpretText();
}

}  // namespace qv
