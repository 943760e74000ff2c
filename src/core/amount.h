#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// Money amounts as the auction panel shows them. Shown amounts are whole numbers that saturate at the 64-bit
// range.
namespace Amount {
using Value = std::int64_t;

// Leading decimal number of a text (blanks skipped, optional sign, digits, optional fraction), rounded half
// away from zero. Reading stops at the first other character; no number reads as 0.
Value parseLeading(QStringView text);
Value parseLeading(QByteArrayView text);

// A wire field's leading number with its fraction kept (to nine places): amounts compare and add as sent and
// are rounded only where they are shown. The whole part saturates as Value does.
class Number {
public:
    Number() = default;
    static Number read(QByteArrayView field);

    // Half away from zero, saturating.
    Value rounded() const;
    bool isWhole() const;

    friend Number operator+(Number a, Number b) { return Number(a.m_billionths + b.m_billionths); }
    friend bool operator<(Number a, Number b) { return a.m_billionths < b.m_billionths; }

private:
    explicit Number(__int128 billionths) : m_billionths(billionths) {}
    __int128 m_billionths = 0;
};

// Whether the whole text is one number as AmountValue reads it (separators between digits, an optional
// fraction, blanks around it) and nothing else.
bool isNumber(QStringView text);

// The group separator of the system locale, read once.
QChar groupSeparator();
} // namespace Amount

// Whole number grouped by three with the locale's separator; zero gives the empty text.
QString FormatAmount(Amount::Value value);
// A shown amount read back: group separators between digits are accepted, then the leading number is taken.
Amount::Value AmountValue(QStringView shown);
// The amount as sent to the server: whole number, no separators; zero gives the empty text.
QString PlainAmount(Amount::Value value);
