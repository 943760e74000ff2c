#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// A field of a delimited text, or Empty when no delimiter closes it. Empty reads as the empty text and as 0.
class FieldValue {
public:
    FieldValue() = default;
    explicit FieldValue(QString text) : m_text(std::move(text)), m_present(true) {}

    bool isEmptyValue() const { return !m_present; }
    const QString &text() const { return m_text; }
    operator const QString &() const { return m_text; }
    bool operator==(const FieldValue &other) const = default;

private:
    QString m_text;
    bool m_present = false;
};

// Field n (from 0) of text, cut at delimiter. A field exists only when a delimiter closes it; a delimiter
// that is not exactly one character never matches, so every field is then Empty.
FieldValue GetField(QStringView text, int n, QStringView delimiter);

// The same rule on bytes, all closed fields of a message at once, without copying: at(n) is a view into the
// message, or nullopt for Empty. Fields beyond maxFields are not collected.
struct ClosedFields {
    static constexpr int maxFields = 16;
    QByteArrayView fields[maxFields];
    int count = 0;

    std::optional<QByteArrayView> at(int n) const
    {
        if (n < 0 || n >= count)
            return std::nullopt;
        return fields[n];
    }
};
ClosedFields SplitClosedFields(QByteArrayView message, char delimiter);
