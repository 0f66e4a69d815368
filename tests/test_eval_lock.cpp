// The lock that lets a second window warn before two writers overwrite each other.

#include "other_process.h"
#include "store/eval_lock.h"
#include "store/file_name.h"
#include "store/local_host.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

namespace {

void lock_write(const QByteArray &folder, const QByteArray &contents)
{
    FILE *out = std::fopen((folder + "/.lumo_test.lock").constData(), "wb");
    QVERIFY(out);
    std::fwrite(contents.constData(), 1, std::size_t(contents.size()), out);
    std::fclose(out);
}

}  // namespace

class test_eval_lock : public QObject
{
    Q_OBJECT

private slots:
    void holders()
    {
        QTemporaryDir dir;
        const QByteArray folder = file_name_encode(dir.path());
        QCOMPARE(eval_lock_holder(folder).pid, qint64(0));

        QVERIFY(eval_lock_take(folder).isEmpty());
        QCOMPARE(eval_lock_holder(folder).pid, qint64(0));   // our own lock warns nobody

        other_process other;
        const qint64 alive = other.pid();
        lock_write(folder, QByteArray::number(alive) + '\n' + local_host_name() + '\n');
        QCOMPARE(eval_lock_holder(folder).pid, alive);
        eval_lock_release(folder);   // not ours: stays
        QCOMPARE(eval_lock_holder(folder).pid, alive);
        QVERIFY(!eval_lock_take(folder).isEmpty());   // not taken over either
        QCOMPARE(eval_lock_holder(folder).pid, alive);

        lock_write(folder, QByteArray::number(gone_pid()) + '\n' + local_host_name() + '\n');
        QCOMPARE(eval_lock_holder(folder).pid, qint64(0));   // stale

        // Another machine's process cannot be asked, so it counts as alive.
        lock_write(folder, "12345\nanother-host\n");
        QCOMPARE(eval_lock_holder(folder).pid, qint64(12345));
    }

    void release_removes_only_our_lock()
    {
        QTemporaryDir dir;
        const QByteArray folder = file_name_encode(dir.path());
        QVERIFY(eval_lock_take(folder).isEmpty());
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/.lumo_test.lock")));
        eval_lock_release(folder);
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/.lumo_test.lock")));
    }
};

QTEST_GUILESS_MAIN(test_eval_lock)
#include "test_eval_lock.moc"
