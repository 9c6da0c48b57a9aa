#pragma once

#include <QString>
#include <cstdint>

// Number reading as the settings file and option boxes have always done it: the longest leading
// decimal number of a text, spaces skipped, "." as the decimal point whatever the locale, no number
// giving 0. Rounding is decimal and exact, so "0.25" to one place is 0.2 (ties go to the even digit).
class LeadingNumber {
public:
    explicit LeadingNumber(const QString& text);

    bool found() const { return m_found; }
    double value() const;
    // Nearest whole number, ties to even, clamped to the signed 32-bit range.
    int32_t toInt32() const;
    // Rounded to `places` decimal places, ties to even.
    double rounded(int places) const;

private:
    // value = (-1)^negative * 0.d1d2d3... * 10^m_exponent
    bool m_found = false;
    bool m_negative = false;
    QString m_digits; // significant digits, no leading zeros
    int64_t m_exponent = 0;
};

// Nearest whole number of numerator / denominator (denominator > 0), ties to even.
int64_t RoundRatioHalfEven(int64_t numerator, int64_t denominator);
