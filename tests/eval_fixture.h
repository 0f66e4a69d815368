#pragma once
// Builds evaluation folders on disk for the tests.

#include "store/file_name.h"

#include <QByteArray>
#include <cstdio>
#include <filesystem>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <utility>
#include <vector>

// Opens a byte path as the file layer names it: on Windows its UTF-8 is the UTF-16 name.
inline FILE *fixture_open(const QByteArray &path, const char *mode)
{
#ifdef Q_OS_WIN
    return _wfopen(QString::fromUtf8(path).toStdWString().c_str(), QString::fromLatin1(mode).toStdWString().c_str());
#else
    return std::fopen(path.constData(), mode);
#endif
}

// An evaluation folder under a temporary directory, with whichever parts a test asks for.
struct eval_fixture {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/eval");

    eval_fixture() { QDir().mkpath(path); }
    // QTemporaryDir can't remove names that are not valid UTF-8; the byte paths can.
    ~eval_fixture() { std::filesystem::remove_all(std::filesystem::u8path(file_name_encode(dir.path()).toStdString())); }

    eval_fixture &paper(const QByteArray &bytes) { return file("problem.prb", bytes); }
    eval_fixture &key(const QByteArray &bytes) { return file("answer.ans", bytes); }
    eval_fixture &folders()
    {
        QDir(path).mkpath(QStringLiteral("st"));
        QDir(path).mkpath(QStringLiteral("sc"));
        return *this;
    }
    eval_fixture &student(const QByteArray &name, const QByteArray &answers)
    {
        return file("st/" + name, answers);
    }
    eval_fixture &scores(const QByteArray &name, const QByteArray &scores)
    {
        return file("sc/" + name, scores);
    }
    eval_fixture &file(const QByteArray &relative, const QByteArray &bytes)
    {
        const QByteArray full = file_name_encode(path) + '/' + relative;
        FILE *out = fixture_open(full, "wb");   // byte names, valid UTF-8 or not
        if (out) {
            std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out);
            std::fclose(out);
        }
        return *this;
    }
    QByteArray bytes(const QByteArray &relative) const
    {
        const QByteArray full = file_name_encode(path) + '/' + relative;
        QByteArray data;
        if (FILE *in = fixture_open(full, "rb")) {
            char chunk[4096];
            std::size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0)
                data.append(chunk, int(got));
            std::fclose(in);
        }
        return data;
    }
    QByteArray folder() const { return file_name_encode(path); }
};

// The paper with 2 single-choice questions (full score 2), 1 multiple-choice question
// (full 4, partial 2) and 1 non-choice question (full 10): total 18.
inline eval_fixture &two_one_one(eval_fixture &eval)
{
    return eval.folders()
        .paper("2 1 1\n"
               "2 @一加一等于几？ A. 1 B. 2 C. 3$\n"
               "2 @二加二等于几？ A. 4 B. 5$\n"
               "4 2 @哪些是偶数？ A. 2 B. 3 C. 4$\n"
               "10 @请说明理由。\n写出过程。$\n")
        .key("2\n1\n5\n@因为2是偶数。$\n")
        .student("张三.stu", "2\n1\n5\n@它是偶数。$\n")
        .student("李四.stu", "4\n2\n1\n@不知道$\n")
        .student("王五.stu", "2\n1\n0\n@<b>加粗</b> & <a href=\"x\">链接</a>$\n");
}
