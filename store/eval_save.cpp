#include "store/eval_save.h"

#include "store/eval_format.h"
#include "store/file_io.h"
#include "store/local_text.h"

#include <QObject>

QStringList write_scores(const evaluation &eval)
{
    QStringList failures;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QByteArray &name = eval.stu_file[std::size_t(s)];
        const QString failure = file_replace(eval.sc_path + name, scores_format(eval, s));
        if (!failure.isEmpty())
            failures << QObject::tr("sc/%1：%2").arg(local_text_decode(name), failure);
    }
    return failures;
}

QString eval_save_failure_message(const QStringList &failures)
{
    return QObject::tr("下列成绩文件未能保存，原有的文件保持不变：\n%1").arg(failures.join(QLatin1Char('\n')));
}
