#pragma once
// Texts as the teacher's machines write them: UTF-8 (Linux, newer Windows editors) or GB18030
// (what Chinese Windows writes), never announced.

#include <QByteArray>
#include <QString>

struct decoded_text {
    QString text;
    int invalid = 0;     // byte sequences neither encoding could read, each now U+FFFD
    bool utf8 = true;    // false: read as GB18030
};

// Valid UTF-8 is read as UTF-8 and valid GB18030 as GB18030. Bytes valid in neither are read
// as the encoding they mostly are: a UTF-8 file with a few stray bytes stays UTF-8, so one bad
// byte cannot turn every character of the file into another.
decoded_text local_text_decode(const QByteArray &bytes);
// The number of bytes text takes in the encoding it was read from.
int local_text_size(const QString &text, bool utf8);

// A file name as shown to the teacher: decoded, with control characters, line breaks and
// bidirectional overrides shown as U+FFFD, so no name can pass for another or forge a line.
QString local_text_name(const QByteArray &name);
// The same for a text that is already decoded (a path the teacher picked).
QString local_text_visible(const QString &name);
