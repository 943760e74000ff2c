#include "amount.h"

#include <QLocale>
#include <limits>

namespace {

constexpr Amount::Value maxValue = std::numeric_limits<Amount::Value>::max();
constexpr Amount::Value minValue = std::numeric_limits<Amount::Value>::min();

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t unitAt(QStringView text, qsizetype k)
{
    return text[k].unicode();
}

char16_t unitAt(QByteArrayView text, qsizetype k)
{
    return static_cast<unsigned char>(text[k]);
}

constexpr std::int64_t billion = 1'000'000'000;

struct Parsed {
    bool negative = false;
    unsigned long long whole = 0; // saturated at the limit of the sign
    std::int64_t billionths = 0;  // the first nine digits of the fraction
    bool digits = false;          // a digit was read, in the whole part or the fraction
    qsizetype end = 0;            // where reading stopped, past the fraction

    unsigned long long limit() const
    {
        return negative ? static_cast<unsigned long long>(maxValue) + 1ull
                        : static_cast<unsigned long long>(maxValue);
    }

    Amount::Value rounded() const
    {
        unsigned long long magnitude = whole;
        if (billionths >= billion / 2 && magnitude < limit())
            ++magnitude;
        if (!negative)
            return static_cast<Amount::Value>(magnitude);
        return magnitude == static_cast<unsigned long long>(maxValue) + 1ull
                   ? minValue
                   : -static_cast<Amount::Value>(magnitude);
    }
};

// The one number grammar of the program: blanks, an optional sign, digits (grouped by groupSeparator when it
// is not 0), an optional fraction. text is a QStringView or a QByteArrayView.
template <typename Text> Parsed parse(const Text &text, char16_t groupSeparator)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype k) { return unitAt(text, k); };
    Parsed parsed;
    while (i < n && isBlank(at(i)))
        ++i;
    if (i < n && (at(i) == u'-' || at(i) == u'+')) {
        parsed.negative = at(i) == u'-';
        ++i;
    }
    // Magnitude kept as unsigned so that the most negative value is reachable.
    const unsigned long long limit = parsed.limit();
    unsigned long long magnitude = 0;
    bool saturated = false;
    while (i < n) {
        const char16_t c = at(i);
        if (isDigit(c)) {
            parsed.digits = true;
            const unsigned digit = unsigned(c - u'0');
            if (!saturated && magnitude > (limit - digit) / 10) {
                saturated = true;
                magnitude = limit;
            } else if (!saturated) {
                magnitude = magnitude * 10 + digit;
            }
            ++i;
        } else if (groupSeparator != 0 && c == groupSeparator && i > 0 && isDigit(at(i - 1)) && i + 1 < n &&
                   isDigit(at(i + 1))) {
            ++i;
        } else {
            break;
        }
    }
    parsed.whole = magnitude;
    if (i < n && at(i) == u'.') {
        ++i;
        std::int64_t place = billion;
        while (i < n && isDigit(at(i))) {
            parsed.digits = true;
            place /= 10;
            parsed.billionths += place * (at(i) - u'0');
            ++i;
        }
    }
    parsed.end = i;
    return parsed;
}

// Grouped or plain digits of value, written backwards into a buffer.
QString format(Amount::Value value, QChar separator)
{
    if (value == 0)
        return {};
    char16_t buffer[40];
    int pos = 40;
    unsigned long long magnitude =
        value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    int digits = 0;
    while (magnitude > 0) {
        if (separator != QChar() && digits > 0 && digits % 3 == 0)
            buffer[--pos] = separator.unicode();
        buffer[--pos] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    }
    if (value < 0)
        buffer[--pos] = u'-';
    return QString(reinterpret_cast<const QChar *>(buffer + pos), 40 - pos);
}

} // namespace

Amount::Value Amount::parseLeading(QStringView text)
{
    return parse(text, 0).rounded();
}

Amount::Value Amount::parseLeading(QByteArrayView text)
{
    return parse(text, 0).rounded();
}

Amount::Number Amount::Number::read(QByteArrayView field)
{
    const Parsed parsed = parse(field, 0);
    const __int128 magnitude = static_cast<__int128>(parsed.whole) * billion + parsed.billionths;
    return Number(parsed.negative ? -magnitude : magnitude);
}

Amount::Value Amount::Number::rounded() const
{
    __int128 whole = m_billionths / billion;
    const __int128 rest = m_billionths % billion;
    if (rest >= billion / 2)
        ++whole;
    else if (rest <= -billion / 2)
        --whole;
    return whole > maxValue ? maxValue : whole < minValue ? minValue : static_cast<Value>(whole);
}

bool Amount::Number::isWhole() const
{
    return m_billionths % billion == 0;
}

bool Amount::isNumber(QStringView text)
{
    const Parsed parsed = parse(text, groupSeparator().unicode());
    qsizetype i = parsed.end;
    while (i < text.size() && isBlank(text[i].unicode()))
        ++i;
    return parsed.digits && i == text.size();
}

QChar Amount::groupSeparator()
{
    static const QChar separator = [] {
        const QString s = QLocale::system().groupSeparator();
        return s.size() == 1 ? s.front() : QLatin1Char(',');
    }();
    return separator;
}

QString FormatAmount(Amount::Value value)
{
    return format(value, Amount::groupSeparator());
}

Amount::Value AmountValue(QStringView shown)
{
    return parse(shown, Amount::groupSeparator().unicode()).rounded();
}

QString PlainAmount(Amount::Value value)
{
    return format(value, QChar());
}
