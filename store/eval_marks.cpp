#include "store/eval_marks.h"

#include "store/file_io.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <algorithm>

namespace {

const QString format_name = QStringLiteral("lumo_test scored by hand");
constexpr int format_version = 1;
// Far above any class's file (1002 students, 1003 open questions each: about 1 MB).
constexpr qint64 max_marks_bytes = 32 * 1024 * 1024;

}  // namespace

QByteArray eval_marks_format(const evaluation &eval)
{
    QJsonObject students;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        QString questions(std::max(0, eval.unch_cnt), QLatin1Char('0'));
        bool any = false;
        for (int q = 1; q <= eval.unch_cnt; ++q) {
            if (eval.unch_scored[s][q]) {
                questions[q - 1] = QLatin1Char('1');
                any = true;
            }
        }
        if (any)
            students.insert(QString::fromLatin1(eval.stu_file[std::size_t(s)].toPercentEncoding()), questions);
    }
    const QJsonObject file{{QStringLiteral("format"), format_name},
                           {QStringLiteral("version"), format_version},
                           {QStringLiteral("students"), students}};
    return QJsonDocument(file).toJson(QJsonDocument::Compact) + '\n';
}

QString eval_marks_parse(const QByteArray &bytes, evaluation *eval)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject file = document.object();
    if (error.error != QJsonParseError::NoError || file.value(QStringLiteral("format")).toString() != format_name
        || file.value(QStringLiteral("version")).toInt() != format_version
        || !file.value(QStringLiteral("students")).isObject())
        return QObject::tr("不是本程序写的评分记录，或已损坏");
    QHash<QByteArray, int> row_of;
    for (int s = 1; s <= eval->stu_cnt; ++s)
        row_of.insert(eval->stu_file[std::size_t(s)], s);
    const QJsonObject students = file.value(QStringLiteral("students")).toObject();
    for (auto it = students.begin(); it != students.end(); ++it) {
        const int s = row_of.value(QByteArray::fromPercentEncoding(it.key().toLatin1()), 0);
        if (s == 0)
            continue;
        const QString questions = it.value().toString();
        for (int q = 1; q <= std::min(eval->unch_cnt, questions.size()); ++q)
            eval->unch_scored[s][q] = questions[q - 1] == QLatin1Char('1');
    }
    return {};
}

QString eval_marks_read(evaluation *eval)
{
    const QByteArray path = eval_marks_path(*eval);
    eval->marks_known = false;
    if (!file_stamp_read(path).exists)
        return {};
    QByteArray bytes;
    QString failure = file_read_all(path, max_marks_bytes, &bytes);
    if (failure.isEmpty())
        failure = eval_marks_parse(bytes, eval);
    eval->marks_known = failure.isEmpty();
    return failure;
}

QByteArray eval_marks_path(const evaluation &eval)
{
    return evaluation_folder(eval) + '/' + EVAL_MARKS_NAME;
}

int eval_marks_count(const evaluation &eval)
{
    int count = 0;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        for (int q = 1; q <= eval.unch_cnt; ++q)
            count += eval.unch_scored[s][q] != 0;
    }
    return count;
}
