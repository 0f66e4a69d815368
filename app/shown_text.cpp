#include "app/shown_text.h"

#include <QObject>
#include <QTextBoundaryFinder>
#include <QTextBrowser>
#include <QTextDocument>
#include <algorithm>

namespace {

// The longest stretch a line may have to lay out without a chance to break: longer than any
// word, so that only what no line could break gets places to break, every few characters
// (so that such lines still fill the width). And the most combining marks one character
// carries.
constexpr int max_unbroken = 32;
constexpr int break_every = 8;
constexpr int max_marks = 8;
// Laying out a table inside a table costs about twice the inner one: deeper markup is shown as
// plain text.
constexpr int max_table_depth = 8;

// The depth of the markup's most deeply nested table.
int table_depth(const QString &markup)
{
    int depth = 0;
    int deepest = 0;
    for (int at = markup.indexOf(QLatin1String("table"), 0, Qt::CaseInsensitive); at >= 0;
         at = markup.indexOf(QLatin1String("table"), at + 5, Qt::CaseInsensitive)) {
        if (at >= 1 && markup.at(at - 1) == QLatin1Char('<'))
            deepest = std::max(deepest, ++depth);
        else if (at >= 2 && markup.at(at - 1) == QLatin1Char('/') && markup.at(at - 2) == QLatin1Char('<'))
            depth = std::max(0, depth - 1);
    }
    return deepest;
}

}  // namespace

QString shown_text_make(const QString &text, bool rich)
{
    int end = std::min(text.size(), SHOWN_TEXT_MAX_CHARS);
    if (end < text.size() && text.at(end - 1).isHighSurrogate())
        --end;
    const QString start = text.left(end);
    QTextBoundaryFinder line_breaks(QTextBoundaryFinder::Line, start);
    QString shown;
    shown.reserve(end + end / break_every + 64);
    int unbroken = 0;
    int marks = 0;
    QChar markup_end;   // '>' inside a tag, ';' inside an entity
    for (int i = 0; i < end; ++i) {
        const QChar c = start.at(i);
        line_breaks.setPosition(i);
        if (line_breaks.isAtBoundary())
            unbroken = 0;
        if (rich && markup_end.isNull() && (c == QLatin1Char('<') || c == QLatin1Char('&')))
            markup_end = c == QLatin1Char('<') ? QLatin1Char('>') : QLatin1Char(';');
        if (!markup_end.isNull()) {
            shown += c;
            if (c == markup_end || (markup_end == QLatin1Char(';') && c.isSpace()))
                markup_end = QChar();
            continue;
        }
        marks = c.isMark() ? marks + 1 : 0;
        // Where the line could not break for long, or a character carries too many marks.
        if (unbroken >= max_unbroken && !c.isLowSurrogate() && (!c.isMark() || marks > max_marks)) {
            shown += QChar(0x200B);
            unbroken = max_unbroken - break_every;
        }
        if (marks > max_marks) {
            shown += QChar(0x25CC);
            marks = 1;
        }
        shown += c;
        ++unbroken;
    }
    if (end == text.size())
        return shown;
    const QString note = QObject::tr("……（内容过长，只显示了前%1个字符，全文共%2个字符）").arg(end).arg(text.size());
    return shown + (rich ? QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped()) : QStringLiteral("\n\n") + note);
}

void shown_text_show(QTextBrowser *browser, const QString &text, bool markup_allowed)
{
    // Whether it looks like markup shows in its start.
    const QString start = text.left(SHOWN_TEXT_MAX_CHARS);
    const bool rich = markup_allowed && Qt::mightBeRichText(start) && table_depth(start) <= max_table_depth;
    const QString shown = shown_text_make(text, rich);
    if (rich)
        browser->setHtml(shown);
    else
        browser->setPlainText(shown);
}
