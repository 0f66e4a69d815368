#include "grading/manual_scoring.h"

#include <QLocale>
#include <QObject>
#include <cmath>

int cursor_step(int cursor, int delta, int count)
{
    const int moved = cursor + delta;
    return moved >= 1 && moved <= count ? moved : cursor;
}

QString unch_score_refusal(double score, double full_score)
{
    if (score < 0)
        return QObject::tr("得分不能小于0分");
    if (score > std::round(full_score * 1000) / 1000)
        return QObject::tr("本题满分为%1分，得分不能超过满分")
            .arg(QLocale::c().toString(full_score, 'g', QLocale::FloatingPointShortest));
    return {};
}
