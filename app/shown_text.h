#pragma once
// Texts as the scoring page shows them: whatever a file holds, showing one keeps the window
// busy for a moment at most. Only what is shown changes; the evaluation keeps every text whole.

#include <QString>

class QTextBrowser;

// The most characters of one text the page shows.
constexpr int SHOWN_TEXT_MAX_CHARS = 10000;

// text as a text browser lays it out at once: cut after SHOWN_TEXT_MAX_CHARS characters with
// a note that says so; a zero-width space wherever a line could otherwise not break for a long
// stretch, and a dotted circle to carry every few combining marks in a row, as laying out
// either costs more than linear time. In markup (rich) tags and entities are left as they are.
QString shown_text_make(const QString &text, bool rich);
// Shows text in browser: as plain text, or, with markup_allowed, as markup when it looks like
// markup (as QTextEdit::setText decides) and does not nest tables deeper than a layout can
// follow in a moment.
void shown_text_show(QTextBrowser *browser, const QString &text, bool markup_allowed);
