#include "core/numbertext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

LeadingNumber::LeadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    // Blanks may stand anywhere inside the number ("1 000" reads 1000), as the classic reader allowed.
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        m_negative = text[i] == u'-';
        ++i;
    }
    QString digits;
    int64_t pointPosition = -1;
    bool anyDigit = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= n)
            break;
        if (isDigit(text[i])) {
            digits.append(text[i]);
            anyDigit = true;
        } else if (text[i] == u'.' && pointPosition < 0) {
            pointPosition = digits.size();
        } else {
            break;
        }
    }
    if (!anyDigit)
        return;
    m_found = true;
    if (pointPosition < 0)
        pointPosition = digits.size();

    // Exponent: E or D, an optional sign, at least one digit; otherwise it is not part of the number.
    int64_t exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        while (j < n && isBlank(text[j]))
            ++j;
        bool expNegative = false;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            expNegative = text[j] == u'-';
            ++j;
        }
        bool expDigit = false;
        int64_t value = 0;
        while (j < n && (isDigit(text[j]) || isBlank(text[j]))) {
            if (isDigit(text[j])) {
                expDigit = true;
                value = std::min<int64_t>(value * 10 + text[j].digitValue(), 100000);
            }
            ++j;
        }
        if (expDigit)
            exponent = expNegative ? -value : value;
    }

    qsizetype firstNonZero = 0;
    while (firstNonZero < digits.size() && digits[firstNonZero] == u'0')
        ++firstNonZero;
    m_digits = digits.mid(firstNonZero);
    while (m_digits.endsWith(u'0'))
        m_digits.chop(1);
    m_exponent = pointPosition - firstNonZero + exponent;
    if (m_digits.isEmpty())
        m_negative = false;
}

double LeadingNumber::value() const
{
    if (m_digits.isEmpty())
        return 0.0;
    const QString literal = (m_negative ? QStringLiteral("-0.") : QStringLiteral("0.")) + m_digits
        + QStringLiteral("e") + QString::number(std::clamp<int64_t>(m_exponent, -100000, 100000));
    return literal.toDouble();
}

double LeadingNumber::rounded(int places) const
{
    if (m_digits.isEmpty())
        return 0.0;
    // Digits kept: those before the decimal point plus `places` after it.
    const int64_t keep = m_exponent + places;
    if (keep < 0)
        return 0.0;
    if (keep >= m_digits.size())
        return value();

    QString kept = m_digits.left(keep);
    const QChar next = m_digits[keep];
    const bool restNonZero = m_digits.size() > keep + 1; // trailing zeros were trimmed
    bool up = next > u'5' || (next == u'5' && restNonZero);
    if (next == u'5' && !restNonZero) {
        const int lastKept = kept.isEmpty() ? 0 : kept.back().digitValue();
        up = lastKept % 2 == 1;
    }
    int64_t exponent = m_exponent;
    if (up) {
        qsizetype k = kept.size() - 1;
        while (k >= 0 && kept[k] == u'9') {
            kept[k] = u'0';
            --k;
        }
        if (k < 0) {
            kept.prepend(u'1');
            ++exponent;
        } else {
            kept[k] = QChar(kept[k].unicode() + 1);
        }
    }
    if (kept.isEmpty())
        return 0.0;
    const QString literal = (m_negative ? QStringLiteral("-0.") : QStringLiteral("0.")) + kept + QStringLiteral("e")
        + QString::number(exponent);
    return literal.toDouble();
}

int32_t LeadingNumber::toInt32() const
{
    const double r = rounded(0);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

int64_t RoundRatioHalfEven(int64_t numerator, int64_t denominator)
{
    int64_t q = numerator / denominator;
    int64_t r = numerator % denominator;
    if (r < 0) { // floor division, so the remainder is in [0, denominator)
        --q;
        r += denominator;
    }
    if (2 * r > denominator || (2 * r == denominator && (q % 2 != 0)))
        ++q;
    return q;
}
