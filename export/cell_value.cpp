#include "export/cell_value.h"

#include <charconv>
#include <system_error>

namespace arvelle::xls {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

// Copies a run of digits to `out`; false when there is none.
bool TakeDigits(std::string_view& text, std::string& out) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) ++n;
  out.append(text.substr(0, n));
  text.remove_prefix(n);
  return n > 0;
}

// The number in the C locale's spelling, or "" when `text` does not have the number shape.
std::string CanonicalNumber(std::string_view text, std::string_view separator) {
  std::string out;
  if (!text.empty() && text.front() == '-') {
    out += '-';
    text.remove_prefix(1);
  }
  if (!TakeDigits(text, out)) return {};
  if (!separator.empty() && text.starts_with(separator)) {
    text.remove_prefix(separator.size());
    out += '.';
    if (!TakeDigits(text, out)) return {};
  }
  if (!text.empty() && (text.front() == 'E' || text.front() == 'e')) {
    text.remove_prefix(1);
    out += 'e';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
      out += text.front();
      text.remove_prefix(1);
    }
    if (!TakeDigits(text, out)) return {};
  }
  return text.empty() ? out : std::string();
}

}  // namespace

CellValue CellValueOfText(std::string_view text, std::string_view decimalSeparator) {
  text = Trimmed(text);
  if (text.empty()) return BlankValue{};
  const std::string canonical = CanonicalNumber(text, decimalSeparator);
  if (!canonical.empty()) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (error == std::errc() && end == canonical.data() + canonical.size()) {
      const bool exponent = text.find_first_of("Ee", 1) != std::string_view::npos;
      return NumberValue{value, exponent};
    }
  }
  return TextValue{std::string(text)};
}

}  // namespace arvelle::xls
