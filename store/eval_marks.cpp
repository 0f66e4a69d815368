#include "store/eval_marks.h"

#include "store/file_io.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>

namespace {

const QString format_name = QStringLiteral("lumo_test scored by hand");
constexpr int format_version = 1;
// Far above any class's file (1002 students, 1003 open questions each: about 5 MB).
constexpr qint64 max_marks_bytes = 32 * 1024 * 1024;

QByteArray marks_path(const evaluation &eval)
{
    return evaluation_folder(eval) + '/' + EVAL_MARKS_NAME;
}

}  // namespace

QByteArray eval_marks_format(const evaluation &eval)
{
    QJsonObject students;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        QJsonArray questions;
        for (int q = 1; q <= eval.unch_cnt; ++q) {
            if (eval.unch_scored[s][q])
                questions.append(q);
        }
        if (!questions.isEmpty())
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
        for (const QJsonValue question : it.value().toArray()) {
            const int q = question.toInt();
            if (q >= 1 && q <= eval->unch_cnt)
                eval->unch_scored[s][q] = 1;
        }
    }
    return {};
}

QString eval_marks_read(evaluation *eval)
{
    const QByteArray path = marks_path(*eval);
    eval->marks_known = false;
    if (!file_stamp_read(path).maybe_exists())
        return {};
    QByteArray bytes;
    QString failure = file_read_all(path, max_marks_bytes, &bytes);
    if (failure.isEmpty())
        failure = eval_marks_parse(bytes, eval);
    eval->marks_known = failure.isEmpty();
    return failure;
}

QString eval_marks_write(const evaluation &eval)
{
    return file_replace(marks_path(eval), eval_marks_format(eval));
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
