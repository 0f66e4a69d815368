// The file layer on Windows: UTF-8 paths reach the system as UTF-16 names, a replace swaps the
// whole file or nothing, identities come from the volume and the file index, devices and pipes
// are refused without waiting, and the system's reasons are Chinese.

#include "store/eval_open.h"
#include "store/eval_save.h"
#include "store/file_io.h"
#include "store/file_name.h"
#include "store/windows_error.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <windows.h>

namespace {

QByteArray utf8(const char16_t *text)
{
    return QString::fromUtf16(text).toUtf8();
}

}  // namespace

class test_file_io_windows : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_root = file_name_encode(m_dir.path());

private slots:
    // Names outside the ANSI code page of a Chinese Windows (GBK) too: an emoji, Greek.
    void any_name_reads_writes_and_lists()
    {
        const QByteArray folder = m_root + "/names";
        QCOMPARE(dir_make(folder), QString());
        const QList<QByteArray> names{utf8(u"Ωμέγα😀.stu"), utf8(u"张三.stu")};   // in the order of their bytes
        for (const QByteArray &name : names)
            QCOMPARE(file_replace(folder + '/' + name, name), QString());
        for (const QByteArray &name : names) {
            QFile file(QString::fromUtf8(folder + '/' + name));   // Qt's own UTF-16 path
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), name);
        }
        dir_entries entries;
        QCOMPARE(dir_list(folder, &entries), QString());
        std::sort(entries.files.begin(), entries.files.end());
        QCOMPARE(entries.files, std::vector<QByteArray>(names.begin(), names.end()));
    }

    void a_class_with_such_names_opens_and_saves()
    {
        const QByteArray folder = m_root + '/' + utf8(u"七年级😀班");
        QCOMPARE(dir_make(folder), QString());
        QCOMPARE(dir_make(folder + "/st"), QString());
        QCOMPARE(dir_make(folder + "/sc"), QString());
        QCOMPARE(file_replace(folder + "/problem.prb", "1 0 0\n2 @q$\n"), QString());
        QCOMPARE(file_replace(folder + "/answer.ans", "2\n"), QString());
        QCOMPARE(file_replace(folder + "/st/" + utf8(u"Ωμέγα😀.stu"), "2\n"), QString());
        eval_open_result opened = eval_open(folder);
        QCOMPARE(opened.refusal, QString());
        QCOMPARE(opened.eval.stu_cnt, 1);
        opened.eval.onech_score[1][1] = 2;
        QCOMPARE(write_scores(opened.eval).failures, QStringList());
        QByteArray saved;
        QCOMPARE(file_read_all(folder + "/sc/" + utf8(u"Ωμέγα😀.stu"), 100, &saved), QString());
        QCOMPARE(saved, QByteArray("2.000\n"));
    }

    void replacing_swaps_the_whole_file()
    {
        const QByteArray path = m_root + "/replaced.stu";
        QCOMPARE(file_replace(path, "1.000\n"), QString());
        const file_stamp first = file_stamp_read(path);
        QCOMPARE(file_link(path, m_root + "/second-name.stu"), QString());
        QVERIFY(file_stamp_read(m_root + "/second-name.stu").same_file(first));

        QCOMPARE(file_replace(path, "2.000\n"), QString());   // Windows' rename() refuses this
        QByteArray contents;
        QCOMPARE(file_read_all(path, 100, &contents), QString());
        QCOMPARE(contents, QByteArray("2.000\n"));
        QVERIFY(!file_stamp_read(path).same_file(first));   // a new file, not the old one rewritten
        QVERIFY(file_stamp_read(path) != first);
        QVERIFY(QDir(m_dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void a_file_another_program_holds_is_left_whole()
    {
        const QByteArray path = m_root + "/held.xlsx";
        QCOMPARE(file_replace(path, "old"), QString());
        // As a spreadsheet program holds a workbook it shows: nobody may delete or replace it.
        const HANDLE held = CreateFileW(QString::fromUtf8(path).toStdWString().c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        const QString failure = file_replace(path, "new");
        CloseHandle(held);
        QVERIFY(!failure.isEmpty());
        QByteArray contents;
        QCOMPARE(file_read_all(path, 100, &contents), QString());
        QCOMPARE(contents, QByteArray("old"));
        QVERIFY(QDir(m_dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void folders_are_the_same_however_spelled()
    {
        QCOMPARE(dir_make(m_root + "/st"), QString());
        QCOMPARE(dir_make(m_root + "/sc"), QString());
        QVERIFY(dir_same(m_root + "/st", m_root + "\\ST\\."));
        QVERIFY(!dir_same(m_root + "/st", m_root + "/sc"));
        const QByteArray resolved = path_resolve(m_root + "/st/../sc");
        QCOMPARE(resolved.toLower(), path_resolve(m_root).toLower() + "/sc");
        QVERIFY(!resolved.contains('\\'));
        QCOMPARE(resolved.mid(1, 2), QByteArray(":/"));
    }

    void devices_pipes_folders_and_large_files_are_refused()
    {
        QByteArray contents;
        QCOMPARE(file_read_all("NUL", 100, &contents), QStringLiteral("不是普通文件"));
        // A pipe nobody ever writes to: reading it would wait for ever.
        const QByteArray pipe = "\\\\.\\pipe\\lumo-test-" + QByteArray::number(quint64(GetCurrentProcessId()));
        const HANDLE server = CreateNamedPipeA(pipe.constData(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0,
                                               nullptr);
        QVERIFY(server != INVALID_HANDLE_VALUE);
        QCOMPARE(file_read_all(pipe, 100, &contents), QStringLiteral("不是普通文件"));
        CloseHandle(server);
        QCOMPARE(file_read_all(m_root, 100, &contents), QStringLiteral("这是一个文件夹"));
        QCOMPARE(file_replace(m_root + "/large.stu", QByteArray(101, 'x')), QString());
        QCOMPARE(file_read_all(m_root + "/large.stu", 100, &contents),
                 QStringLiteral("文件大小为101字节，超过了100字节的上限"));
    }

    void reasons_are_chinese()
    {
        QByteArray contents;
        QCOMPARE(file_read_all(m_root + "/missing.stu", 100, &contents), QStringLiteral("文件或文件夹不存在"));
        QCOMPARE(file_write_new(m_root + "/a?b.stu", "x"),
                 QStringLiteral("文件名中有Windows不允许的字符（\\ / : * ? \" < > |）"));
        QCOMPARE(windows_error_text(ERROR_SHARING_VIOLATION), QStringLiteral("文件正被占用"));
        QVERIFY(windows_error_text(0x2345).startsWith(QStringLiteral("系统错误（")));
    }
};

QTEST_GUILESS_MAIN(test_file_io_windows)
#include "test_file_io_windows.moc"
