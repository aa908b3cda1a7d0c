#include "base/cp1252.h"

#include <array>

namespace quenlap {

namespace {

// Bytes 80 to 9F; the rest of the code page is the same number in Unicode.
constexpr std::array<char16_t, 32> Alto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteDe(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < Alto.size(); ++i) {
        if (Alto[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QString Cp1252ToString(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? Alto[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray StringToCp1252(QStringView text, bool *exact)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    bool all = true;
    for (const QChar c : text) {
        const int b = ByteDe(c.unicode());
        all = all && b >= 0;
        *out++ = static_cast<char>(b >= 0 ? b : '?');
    }
    if (exact)
        *exact = all;
    return bytes;
}

bool CabeEnCp1252(QStringView text)
{
    for (const QChar c : text) {
        if (ByteDe(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace quenlap
