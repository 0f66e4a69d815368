#pragma once

#include <QByteArray>
#include <QString>

// Decodes bytes written on the teacher's machine: the locale's encoding (UTF-8) when the
// bytes are valid in it, otherwise GB18030, which is what Chinese Windows writes.
QString local_text_decode(const QByteArray &bytes);
