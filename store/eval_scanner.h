#pragma once
// Reads the items of the evaluation files from their decoded text: numbers as formatted
// input in the classic locale, and marked texts '@'...'$'. A CR LF pair is one line break.
// White space is ASCII white space, the ideographic space U+3000 and the no-break space
// U+00A0, as Chinese input methods and word processors type them.

#include "store/evaluation.h"

#include <QString>

class eval_scanner
{
public:
    enum class status { ok, no_number, no_at, no_dollar };

    explicit eval_scanner(QString text);

    // Skips leading white space, then takes the longest valid number. An integer field
    // takes an optional sign and decimal digits and must fit in 32 bits. A number must end
    // at white space, '@' or the end of the text: "2,5" or "5分" is no number at all rather
    // than a 2 or a 5.
    status read_int(answer_set *value);
    // Decimal forms only (2, 2.5, -1, .5, 1e1); no hex, infinity or NaN.
    status read_real(double *value);
    // Discards everything up to and including the next '@', then takes everything up to
    // the next '$' verbatim; the '$' is consumed.
    status read_marked(QString *text);
    // True when nothing but white space is left.
    bool at_end();
    // Passes over an item that could not be read: everything up to the next white space, or
    // up to the '@' of a text when texts follow, so that the next item can be read.
    void skip_item(bool texts_follow);

private:
    void skip_space();
    QString m_text;
    int m_pos = 0;
};
