#pragma once
// Little-endian fields appended to a growing byte array, as both the BIFF8 records and the
// compound file around them store their numbers; the set_ variants patch earlier fields.

#include <QByteArray>
#include <QChar>

#include <cstring>

inline void le_put_u8(QByteArray &b, unsigned v)
{
    b.append(char(v & 0xFF));
}

inline void le_put_u16(QByteArray &b, unsigned v)
{
    le_put_u8(b, v);
    le_put_u8(b, v >> 8);
}

inline void le_put_u32(QByteArray &b, quint32 v)
{
    le_put_u16(b, v & 0xFFFF);
    le_put_u16(b, v >> 16);
}

inline void le_put_f64(QByteArray &b, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    le_put_u32(b, quint32(bits));
    le_put_u32(b, quint32(bits >> 32));
}

inline void le_put_zeros(QByteArray &b, int n)
{
    b.append(n, '\0');
}

inline void le_put_utf16(QByteArray &b, const QChar *chars, int n)
{
    for (int i = 0; i < n; ++i)
        le_put_u16(b, chars[i].unicode());
}

inline void le_set_u16(QByteArray &b, int at, unsigned v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

inline void le_set_u32(QByteArray &b, int at, quint32 v)
{
    le_set_u16(b, at, v & 0xFFFF);
    le_set_u16(b, at + 2, v >> 16);
}
