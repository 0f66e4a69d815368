#pragma once
// Texts as the teacher's machines write them: UTF-8 (Linux, newer Windows editors) or GB18030
// (what Chinese Windows writes), never announced.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct decoded_text {
    QString text;
    int invalid = 0;     // byte sequences neither encoding could read, each now U+FFFD
    bool utf8 = true;    // false: read as GB18030
};

// Reads bytes in the encoding that gives the more plausible text for a Chinese class: the
// bytes that read as characters of GB2312 (hanzi, Chinese and full-width punctuation, Greek,
// pinyin, kana) count for an encoding, those that read as anything else (Latin-extended, IPA,
// other scripts, bytes it cannot read) against it. A UTF-8 file with a few stray bytes so stays
// UTF-8, and GB18030 text that happens to be valid UTF-8 stays GB18030. When both encodings
// read the bytes equally well, prefer_utf8 decides: the encoding of the class's paper.
decoded_text local_text_decode(const QByteArray &bytes, bool prefer_utf8 = true);
// The number of bytes text takes in the encoding it was read from.
int local_text_size(const QString &text, bool utf8);
// The longest start of bytes, at most max_bytes long, that ends between two characters of
// the encoding.
QByteArray local_text_cut(const QByteArray &bytes, int max_bytes, bool utf8);

// A file name as shown to the teacher: decoded as local_text_decode does, with control
// characters, line breaks, bidirectional controls and every character that shows nothing
// (format characters, variation selectors, joiners, tags, ...) shown as U+FFFD, so no name
// can hide a part of itself or forge a line.
QString local_text_name(const QByteArray &name, bool prefer_utf8 = true);
// The same for a text that is already decoded (a path the teacher picked).
QString local_text_visible(const QString &name);
// The names of a list (a class's students, say) as the teacher reads them: each as
// local_text_name shows it, and the names that would still read the same (one name in
// composed and decomposed form, or in both encodings) each marked "（1）", "（2）", … in
// their order, so that no two rows look alike.
QStringList local_text_names(const std::vector<QByteArray> &names, bool prefer_utf8);
