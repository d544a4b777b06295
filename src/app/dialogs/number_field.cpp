#include "app/dialogs/number_field.h"

#include <QFontMetrics>

#include <charconv>
#include <cmath>
#include <system_error>

namespace fendo {
namespace {

// Wide enough for a coordinate with its decimals.
constexpr int kFieldCharacters = 14;

// Plain decimals ("0.0001", "1000000"), as a machinist writes them; an exponent only for a
// number whose decimals would not fit.
template <typename Number>
QString ShortestText(Number v) {
  char digits[64];
  std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed);
  if (written.ec != std::errc()) written = std::to_chars(digits, digits + sizeof digits, v);
  return QString::fromLatin1(digits, static_cast<int>(written.ptr - digits));
}

// std::from_chars reads no locale and no leading '+', which people type.
template <typename Number>
bool ReadNumber(const QString& text, Number& v) {
  QByteArray bytes = text.trimmed().toUtf8();
  if (bytes.startsWith('+')) bytes.remove(0, 1);
  const char* const end = bytes.constData() + bytes.size();
  Number read = 0;
  const std::from_chars_result result = std::from_chars(bytes.constData(), end, read, std::chars_format::general);
  if (bytes.isEmpty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(read)) return false;
  v = read;
  return true;
}

}  // namespace

NumberField::NumberField(const QString& label, QWidget* parent) : QLineEdit(parent), label_(label) {
  setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * kFieldCharacters);
}

void NumberField::SetNumber(double v) { setText(ShortestText(v)); }
void NumberField::SetNumber(float v) { setText(ShortestText(v)); }

bool NumberField::Read(double& v) const { return ReadNumber(text(), v); }
bool NumberField::Read(float& v) const { return ReadNumber(text(), v); }

QString NumberText(double v) { return ShortestText(v); }

}  // namespace fendo
