#include "GuiTest.h"
#include "LaunchFiles.h"
#include "TestSupport.h"
#include "clock/SequenceEngine.h"
#include "files/LaunchFileOptions.h"
#include "files/SequenceFile.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/mount.h>

using namespace Qt::StringLiterals;
using Answer = Prompter::Answer;

namespace {

using LaunchFiles::readBytes;
using LaunchFiles::writeBytes;

// A record saved in path, different from the initial values.
QByteArray record(const QString& path)
{
    return LaunchFiles::record(path, path, LaunchFiles::OtherFields);
}

// Fills the file system that holds folder to its last byte.
void fill(const QString& folder)
{
    QFile filler(folder + u"/filler"_s);
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    for (int i = 0; i < 1024 && filler.write(block) == block.size(); ++i) {
    }
    for (int i = 0; i < 512 && filler.write("x", 1) == 1; ++i) {
    }
    QVERIFY(filler.write("x", 1) != 1);
}

bool readOnlyBind(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    return ::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, p.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

} // namespace

// Saves where the disk is full or read-only: each gives a message naming the file and the reason, leaves the
// old file byte for byte as it was, and never reports success.
class TestDiskFull : public GuiTest
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_place; // a 64 KiB tmpfs of this test's own
    QList<int> m_exits;

    QString defaultFile() const { return QDir::toNativeSeparators(m_place + u"/launch.trv"_s); }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("TARVANE_PRIVATE_MOUNTS"))
            QSKIP("needs a private mount namespace: run through tests/disk/in_namespace.sh");
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_place = m_dir->filePath(u"place"_s);
        QVERIFY(QDir().mkpath(m_place));
        QVERIFY2(::mount("tmpfs", QFile::encodeName(m_place).constData(), "tmpfs", 0, "size=64k") == 0,
                 "mounting a tmpfs failed");
        GuiTest::init();
        m_exits.clear();
        ProcessExit::setHandler([this](int code) { m_exits.append(code); });
    }

    void cleanup()
    {
        ProcessExit::setHandler({});
        ::umount2(QFile::encodeName(defaultFile()).constData(), MNT_DETACH); // the read-only file, if any
        ::umount2(QFile::encodeName(m_place).constData(), MNT_DETACH);
        ::umount2(QFile::encodeName(m_place).constData(), MNT_DETACH);
        GuiTest::cleanup();
    }

    void saveWhereNothingCanBeWritten_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << u"full"_s << u"No space left on device"_s;
        QTest::newRow("read-only folder") << u"read-only folder"_s << QString();
        QTest::newRow("read-only file") << u"read-only file"_s << QString();
    }

    void saveWhereNothingCanBeWritten()
    {
        QFETCH(QString, place);
        QFETCH(QString, reason);
        const QByteArray before = record(defaultFile());
        QVERIFY(writeBytes(defaultFile(), before));
        if (place == u"full")
            fill(m_place);
        else
            QVERIFY(readOnlyBind(place == u"read-only file" ? defaultFile() : m_place));

        f.files = LaunchFileOptions{m_place, {}, {}};
        frmTarvane& w = f.window();
        QCOMPARE(child<ClickLineEdit>(w, u"txtLaunchDate"_s)->text(), u"Jun 1, 2002"_s);
        child<ClickLineEdit>(w, u"txtHoursW"_s)->setText(u"05"_s);
        const QString message = u"Tarvane could not save the launch data file " % defaultFile() % u".  ";

        f.prompter().answer(Answer::Ok);
        QVERIFY(triggerAction(w, u"mnuSave"_s));
        QCOMPARE(f.prompter().shown.size(), 1);
        QVERIFY2(f.prompter().shown[0].text.startsWith(message) && f.prompter().shown[0].text.contains(reason) &&
                     f.prompter().shown[0].text.endsWith(u"  Nothing was written."_s),
                 qPrintable(f.prompter().shown[0].text));
        QCOMPARE(readBytes(defaultFile()), before);

        f.prompter().answer(Answer::Yes);
        f.prompter().answer(Answer::Ok);
        QVERIFY(triggerAction(w, u"mnuExit"_s));
        QCOMPARE(f.prompter().shown.size(), 3);
        QVERIFY2(f.prompter().shown[2].text.startsWith(message), qPrintable(f.prompter().shown[2].text));
        QVERIFY(m_exits.isEmpty());
        QCOMPARE(readBytes(defaultFile()), before);
        QCOMPARE(QDir(m_place).entryList(QDir::Files | QDir::Hidden),
                 place == u"full" ? (QStringList{u"filler"_s, u"launch.trv"_s}) : QStringList{u"launch.trv"_s});
    }

    // The first start on a full disk says that the default file could not be made, and leaves no empty one.
    void firstStartOnAFullDisk()
    {
        fill(m_place);
        f.prompter().answer(Answer::Ok);
        f.files = LaunchFileOptions{m_place, {}, {}};
        frmTarvane& w = f.window();
        QCOMPARE(f.prompter().shown.size(), 1);
        QVERIFY2(f.prompter().shown[0].text.startsWith(u"Tarvane could not save the launch data file " % defaultFile() %
                                                       u".  No space left on device."),
                 qPrintable(f.prompter().shown[0].text));
        QVERIFY(!QFile::exists(defaultFile()));
        QCOMPARE(child<WatchedLabel>(w, u"pnlCurrentFile"_s)->text(), defaultFile());
    }

    // The countdown sequence is saved with the same care: where it cannot be written, the old file stays byte for
    // byte, nothing is left beside it, and the message gives the system's reason.
    void sequenceWhereNothingCanBeWritten_data() { saveWhereNothingCanBeWritten_data(); }

    void sequenceWhereNothingCanBeWritten()
    {
        QFETCH(QString, place);
        QFETCH(QString, reason);
        const QString path = m_place + u"/launch.tvseq"_s;
        const QByteArray before = "t,kind,length,name\r\nT - 00:04:00,callout,,Go/No-Go poll\r\n";
        QVERIFY(writeBytes(path, before));
        const auto unbind = qScopeGuard([&] { ::umount2(QFile::encodeName(path).constData(), MNT_DETACH); });
        if (place == u"full")
            fill(m_place);
        else
            QVERIFY(readOnlyBind(place == u"read-only file" ? path : m_place));

        CountdownSequence plan;
        QVERIFY(plan.add({-1200, u"Built-in hold"_s, Milestone::Kind::BuiltInHold, 600}).isNone());
        for (const CountdownSequence& sequence : {plan, CountdownSequence()}) {
            const SafeSave::Written written = SequenceFile::writeFile(path, sequence, {});
            const QString message = SequenceFile::cannotSaveMessage(path, written);
            QVERIFY2(message.startsWith(u"Tarvane could not save the countdown sequence "_s % path % u".  ") &&
                         message.contains(reason) && message.endsWith(u"  Nothing was written."_s),
                     qPrintable(message));
            QCOMPARE(readBytes(path), before);
            QCOMPARE(QDir(m_place).entryList(QDir::Files | QDir::Hidden),
                     place == u"full" ? (QStringList{u"filler"_s, u"launch.tvseq"_s}) : QStringList{u"launch.tvseq"_s});
        }
    }

    // The window's Save writes the sequence first: where it cannot be written, the launch data file is not
    // touched either and the save is not reported done; where only the launch data cannot be written, the save
    // fails all the same.
    void saveWithASequence_data()
    {
        QTest::addColumn<QString>("place");
        QTest::newRow("full disk") << u"full"_s;
        QTest::newRow("read-only folder") << u"read-only folder"_s;
        QTest::newRow("read-only launch data file") << u"read-only file"_s;
    }

    void saveWithASequence()
    {
        QFETCH(QString, place);
        const QByteArray before = record(defaultFile());
        QVERIFY(writeBytes(defaultFile(), before));
        f.files = LaunchFileOptions{m_place, {}, {}};
        frmTarvane& w = f.window();
        QVERIFY(f.mission()
                    .sequence()
                    .addMilestone({-1200, u"Built-in hold"_s, Milestone::Kind::BuiltInHold, 600})
                    .isNone());
        if (place == u"full")
            fill(m_place);
        else
            QVERIFY(readOnlyBind(place == u"read-only file" ? defaultFile() : m_place));
        const QString sequencePath = QDir::toNativeSeparators(m_place + u"/launch.tvseq"_s);

        f.prompter().answer(Answer::Yes);
        f.prompter().answer(Answer::Ok);
        QVERIFY(triggerAction(w, u"mnuExit"_s));
        QVERIFY(m_exits.isEmpty());
        QCOMPARE(f.prompter().shown.size(), 2);
        const QString told = f.prompter().shown[1].text;
        if (place == u"read-only file") {
            QVERIFY2(told.startsWith(u"Tarvane could not save the launch data file "_s % defaultFile()),
                     qPrintable(told));
            QVERIFY(readBytes(sequencePath).contains("Built-in hold"));
        } else {
            QVERIFY2(told.startsWith(u"Tarvane could not save the countdown sequence "_s % sequencePath % u".  ") &&
                         told.endsWith(u"  Nothing was written."_s),
                     qPrintable(told));
            QVERIFY(!QFile::exists(sequencePath));
        }
        QCOMPARE(readBytes(defaultFile()), before);
    }
};

QTEST_MAIN(TestDiskFull)
#include "tst_diskfull.moc"
