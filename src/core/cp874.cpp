#include "cp874.h"

#include <array>

namespace {

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 0x80; ++b)
        table[b] = char16_t(b);
    // Bytes Windows maps to the matching C1 control characters.
    for (int b = 0x80; b < 0xA0; ++b)
        table[b] = char16_t(b);
    table[0x80] = 0x20AC;
    table[0x85] = 0x2026;
    table[0x91] = 0x2018;
    table[0x92] = 0x2019;
    table[0x93] = 0x201C;
    table[0x94] = 0x201D;
    table[0x95] = 0x2022;
    table[0x96] = 0x2013;
    table[0x97] = 0x2014;
    table[0xA0] = 0x00A0;
    for (int b = 0xA1; b <= 0xDA; ++b)
        table[b] = char16_t(0x0E01 + (b - 0xA1));
    for (int b = 0xDB; b <= 0xDE; ++b)
        table[b] = char16_t(0xF8C1 + (b - 0xDB));
    table[0xDF] = 0x0E3F;
    for (int b = 0xE0; b <= 0xFB; ++b)
        table[b] = char16_t(0x0E40 + (b - 0xE0));
    for (int b = 0xFC; b <= 0xFF; ++b)
        table[b] = char16_t(0xF8C5 + (b - 0xFC));
    return table;
}

constexpr auto decodeTable = makeDecodeTable();

char encodeChar(char16_t c)
{
    if (c < 0x80)
        return char(c);
    if (c >= 0x0E01 && c <= 0x0E3A)
        return char(0xA1 + (c - 0x0E01));
    if (c >= 0x0E40 && c <= 0x0E5B)
        return char(0xE0 + (c - 0x0E40));
    if (c == 0x0E3F)
        return char(0xDF);
    if (c >= 0xF8C1 && c <= 0xF8C4)
        return char(0xDB + (c - 0xF8C1));
    if (c >= 0xF8C5 && c <= 0xF8C8)
        return char(0xFC + (c - 0xF8C5));
    if (c < 0xA1) {
        // 0x80..0xA0: identity except where Windows put punctuation.
        if (decodeTable[c] == c)
            return char(c);
        return '?';
    }
    for (int b = 0x80; b < 0xA0; ++b) {
        if (decodeTable[b] == c)
            return char(b);
    }
    return '?';
}

} // namespace

void Cp874::appendDecoded(QString &out, QByteArrayView bytes)
{
    const qsizetype base = out.size();
    out.resize(base + bytes.size());
    QChar *dst = out.data() + base;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(decodeTable[static_cast<unsigned char>(bytes[i])]);
}

QString Cp874::decode(QByteArrayView bytes)
{
    QString out;
    appendDecoded(out, bytes);
    return out;
}

QByteArray Cp874::encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // A surrogate pair is one character outside the code page: one '?'.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        out.append(encodeChar(c));
    }
    return out;
}
