#include "store/local_text.h"

#include <QTextCodec>

QString local_text_decode(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForLocale()->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    static QTextCodec *const gb18030 = QTextCodec::codecForName("GB18030");
    return gb18030->toUnicode(bytes);
}
