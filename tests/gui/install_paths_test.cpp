// Where the program finds its data files and keeps its working file: beside
// itself in a build folder, in share/quadrivo and the user's folder once
// installed.

#include "platform/install_paths.h"
#include "platform/qt/install_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

class InstallPathsTest : public QObject {
    Q_OBJECT

private slots:
    void FoldersFollowTheLayout_data() {
        QTest::addColumn<QStringList>("files");       // made under the temporary root
        QTest::addColumn<QString>("program");         // the program's folder
        QTest::addColumn<bool>("readOnlyProgram");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("working");
        QTest::newRow("build folder") << QStringList{"build/bin/LESSICO.DAT", "build/bin/CRUCINEW.DAT"}
                                      << "build/bin" << false << "build/bin" << "build/bin";
        QTest::newRow("installed") << QStringList{"usr/bin/quadrivo", "usr/share/quadrivo/LESSICO.DAT"}
                                   << "usr/bin" << false << "usr/share/quadrivo" << "utente";
        QTest::newRow("installed, bin read-only") << QStringList{"usr/bin/quadrivo", "usr/share/quadrivo/LESSICO.DAT"}
                                                  << "usr/bin" << true << "usr/share/quadrivo" << "utente";
        QTest::newRow("data beside wins over share") << QStringList{"usr/bin/LESSICO.DAT", "usr/share/quadrivo/LESSICO.DAT"}
                                                     << "usr/bin" << false << "usr/bin" << "usr/bin";
        QTest::newRow("copied folder, read-only") << QStringList{"cd/LESSICO.DAT"} << "cd" << true << "cd" << "utente";
        QTest::newRow("no data anywhere") << QStringList{"vuota/quadrivo"} << "vuota" << false << "vuota" << "vuota";
    }
    void FoldersFollowTheLayout() {
        QFETCH(QStringList, files);
        QFETCH(QString, program);
        QFETCH(bool, readOnlyProgram);
        QFETCH(QString, data);
        QFETCH(QString, working);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString& f : files) Touch(dir.filePath(f));
        const QString programDir = dir.filePath(program);
        const QString user = dir.filePath("utente");
        // A folder the user cannot write, whatever the rights of the user
        // running the test.
        const auto canWrite = [&](const QString& folder) {
            return !(readOnlyProgram && folder == programDir) && QFileInfo(folder).isWritable();
        };
        const platform::ProgramFolders folders = platform::FindProgramFolders(programDir, user, canWrite);
        QCOMPARE(folders.data, dir.filePath(data));
        QCOMPARE(folders.working, dir.filePath(working));
        // The user's folder is made only when it is used.
        QCOMPARE(QFileInfo::exists(user), working == "utente");
        QCOMPARE(platform::IsInstalled(programDir.toStdString()), data != program);
    }

    void RelativeProgramFolderIsMadeAbsolute() {
        QTemporaryDir root;
        Touch(root.filePath("prefix/share/quadrivo/LESSICO.DAT"));
        QDir().mkpath(root.filePath("prefix/bin"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(root.filePath("prefix"));
        const auto folders = platform::FindProgramFolders("bin", root.filePath("utente"));
        QDir::setCurrent(before);
        QCOMPARE(folders.data, root.filePath("prefix/share/quadrivo"));
    }
};

QTEST_GUILESS_MAIN(InstallPathsTest)
#include "install_paths_test.moc"
