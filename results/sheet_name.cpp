#include "results/sheet_name.h"

#include <algorithm>

namespace {

const QString forbidden_characters = QStringLiteral("[]:*?/\\");

bool sheet_name_forbidden(QChar ch)
{
    return forbidden_characters.contains(ch);
}

// Every rule on a name by itself; uniqueness is the other rule.
bool sheet_name_allowed(const QString &name)
{
    return !name.isEmpty() && name.size() <= SHEET_NAME_MAX_LENGTH
           && std::none_of(name.begin(), name.end(), sheet_name_forbidden)
           && !name.startsWith(QLatin1Char('\'')) && !name.endsWith(QLatin1Char('\''))
           && name.compare(QLatin1String("History"), Qt::CaseInsensitive) != 0;
}

bool sheet_name_taken(const QString &name, const QStringList &names)
{
    return names.contains(name, Qt::CaseInsensitive);
}

// The first units UTF-16 code units of text, one less where a surrogate pair would be cut.
QString sheet_name_cut(const QString &text, int units)
{
    if (units <= 0)
        return QString();
    if (text.size() <= units)
        return text;
    return text.left(text.at(units - 1).isHighSurrogate() ? units - 1 : units);
}

}   // namespace

QString sheet_name_shown(const workbook &book, std::size_t index)
{
    return book[index].name.isEmpty() ? QStringLiteral("Sheet%1").arg(index + 1)
                                      : book[index].name;
}

QString sheet_name_check(const workbook &book)
{
    QStringList names;
    for (std::size_t i = 0; i < book.size(); ++i) {
        const QString name = sheet_name_shown(book, i);
        if (!sheet_name_allowed(name))
            return QStringLiteral("工作表名称“%1”不能用在 Excel 工作簿中：名称最多31个字符，"
                                  "不能含有 [ ] : * ? / \\ 这些字符，不能以单引号开头或结尾，"
                                  "也不能是 History。")
                .arg(name);
        if (sheet_name_taken(name, names))
            return QStringLiteral("工作簿中有两个工作表都叫“%1”，Excel 工作簿中的工作表"
                                  "名称不能相同（不区分大小写）。")
                .arg(name);
        names << name;
    }
    return QString();
}

QString sheet_name_make(const QString &name, const QString &suffix, QStringList *taken)
{
    // With room for "~N", every name finds a free copy number.
    Q_ASSERT(suffix.size() <= SHEET_NAME_MAX_LENGTH - 5);
    QString base = name;
    std::replace_if(base.begin(), base.end(), sheet_name_forbidden, QLatin1Char('_'));
    if (base.startsWith(QLatin1Char('\'')))
        base[0] = QLatin1Char('_');
    if (base.isEmpty() && suffix.isEmpty())
        base = QStringLiteral("_");
    for (int copy = 1;; ++copy) {
        const QString tail = (copy == 1 ? QString() : QStringLiteral("~%1").arg(copy)) + suffix;
        QString candidate = sheet_name_cut(base, SHEET_NAME_MAX_LENGTH - tail.size()) + tail;
        if (candidate.endsWith(QLatin1Char('\'')))
            candidate[candidate.size() - 1] = QLatin1Char('_');
        if (sheet_name_allowed(candidate) && !sheet_name_taken(candidate, *taken)) {
            taken->append(candidate);
            return candidate;
        }
    }
}
