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

struct Parsed {
    Amount::Value value = 0;
    bool digits = false; // a digit was read, in the whole part or the fraction
    qsizetype end = 0;   // where reading stopped, past the fraction
};

// The one number grammar of the program: blanks, an optional sign, digits (grouped by groupSeparator when it
// is not 0), an optional fraction. text is a QStringView or a QByteArrayView.
template <typename Text> Parsed parse(const Text &text, char16_t groupSeparator)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype k) { return unitAt(text, k); };
    while (i < n && isBlank(at(i)))
        ++i;
    bool negative = false;
    if (i < n && (at(i) == u'-' || at(i) == u'+')) {
        negative = at(i) == u'-';
        ++i;
    }
    // Magnitude kept as unsigned so that the most negative value is reachable.
    const unsigned long long limit = negative ? static_cast<unsigned long long>(maxValue) + 1ull
                                              : static_cast<unsigned long long>(maxValue);
    unsigned long long magnitude = 0;
    bool saturated = false;
    bool digits = false;
    while (i < n) {
        const char16_t c = at(i);
        if (isDigit(c)) {
            digits = true;
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
    if (i < n && at(i) == u'.') {
        ++i;
        if (i < n && isDigit(at(i)) && at(i) >= u'5' && magnitude < limit)
            ++magnitude;
        while (i < n && isDigit(at(i))) {
            digits = true;
            ++i;
        }
    }
    Parsed parsed;
    parsed.digits = digits;
    parsed.end = i;
    if (!negative)
        parsed.value = static_cast<Amount::Value>(magnitude);
    else
        parsed.value = magnitude == static_cast<unsigned long long>(maxValue) + 1ull
                           ? minValue
                           : -static_cast<Amount::Value>(magnitude);
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
    return parse(text, 0).value;
}

Amount::Value Amount::parseLeading(QByteArrayView text)
{
    return parse(text, 0).value;
}

bool Amount::isNumber(QStringView text)
{
    const Parsed parsed = parse(text, groupSeparator().unicode());
    qsizetype i = parsed.end;
    while (i < text.size() && isBlank(text[i].unicode()))
        ++i;
    return parsed.digits && i == text.size();
}

Amount::Value Amount::add(Value a, Value b)
{
    Value sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return a < 0 ? minValue : maxValue;
    return sum;
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
    return parse(shown, Amount::groupSeparator().unicode()).value;
}

QString FormatAmountField(QStringView field)
{
    return FormatAmount(Amount::parseLeading(field));
}

QString PlainAmount(Amount::Value value)
{
    return format(value, QChar());
}
