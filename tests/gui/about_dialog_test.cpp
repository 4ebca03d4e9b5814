// The about box: its captions and pictures, the version line, the focus on
// "&OK", and "&System Info ..." with and without a system-information
// program to start.

#include "dialogs/about_dialog.h"
#include "platform/recording/recording_launcher.h"
#include "platform/recording/recording_messages.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using dialogs::Form3;

namespace {

struct Session {
    QWidget mainWindow;
    platform::RecordingLauncher launcher;
    platform::RecordingMessages messages;

    // "&Info su Quadrivo 98 ...": `act` works the box, which is then closed
    // with "&OK" unless `act` closed it.
    void ShowAbout(std::function<void(Form3&)> act) {
        bool seen = false;
        QTimer::singleShot(0, [&seen, act] {
            auto* box = qobject_cast<Form3*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            act(*box);
            if (box->isVisible()) box->findChild<QPushButton*>("Command3d1")->click();
        });
        dialogs::ShowAbout(&mainWindow, launcher, messages);
        QVERIFY(seen);
    }
};

void ClickWidget(QWidget* w) {
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QStringList Started(const platform::RecordingLauncher& launcher) {
    QStringList list;
    for (const auto& s : launcher.started) list << QString::fromStdString(s);
    return list;
}

} // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT
private slots:
    void boxShowsCaptionsPicturesAndVersion();
    void versionLineKeepsTheSignPlace_data();
    void versionLineKeepsTheSignPlace();
    void systemInfoStartsTheFirstProgramFound();
    void systemInfoWithoutProgramOnlyTells();
    void okClosesWithKeyboardToo();
};

void AboutDialogTest::boxShowsCaptionsPicturesAndVersion() {
    Session session;
    session.ShowAbout([](Form3& box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("Quadrivo 98 - Informazioni"));
        QCOMPARE(box.findChild<QLabel*>("Label3")->text(), QStringLiteral("Quadrivo 98 - Versione  2. 0. 6"));
        QCOMPARE(box.findChild<QLabel*>("Label5")->text(), QStringLiteral("per sistemi a 32 bit"));
        QCOMPARE(box.findChild<QPushButton*>("Command1")->text(), QStringLiteral("&System Info ..."));
        QCOMPARE(box.findChild<QPushButton*>("Command3d1")->text(), QStringLiteral("&OK"));
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(QApplication::focusWidget(), box.findChild<QPushButton*>("Command3d1"));
        for (const char* name : {"Picture1", "Picture2", "Picture3", "Picture4"}) {
            auto* picture = box.findChild<QLabel*>(name);
            QVERIFY2(picture, name);
            const QImage image = picture->pixmap().toImage();
            QVERIFY2(!image.isNull(), name);
            // Something is drawn: the picture is not one colour.
            const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
            bool varied = false;
            for (int y = 0; y < image.height() && !varied; y += 2)
                for (int x = 0; x < image.width() && !varied; x += 2) varied = image.pixel(x, y) != first;
            QVERIFY2(varied, name);
            QVERIFY2(picture->isVisible(), name);
        }
    });
    QVERIFY(session.messages.shown.empty());
    QVERIFY(session.launcher.started.empty());
}

void AboutDialogTest::versionLineKeepsTheSignPlace_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("line");
    QTest::newRow("2.0.6") << 2 << 0 << 6 << "Quadrivo 98 - Versione  2. 0. 6";
    QTest::newRow("numbers of two digits") << 10 << 12 << 0 << "Quadrivo 98 - Versione  10. 12. 0";
    QTest::newRow("a negative number has its sign") << 1 << -1 << 3 << "Quadrivo 98 - Versione  1.-1. 3";
}

void AboutDialogTest::versionLineKeepsTheSignPlace() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, line);
    QCOMPARE(dialogs::VersionLine("Quadrivo 98", major, minor, revision), line);
}

void AboutDialogTest::systemInfoStartsTheFirstProgramFound() {
    Session session;
    session.launcher.succeed = true;
    session.ShowAbout([&session](Form3& box) {
        ClickWidget(box.findChild<QPushButton*>("Command1"));
        QVERIFY(box.isVisible());
        QVERIFY(session.messages.shown.empty());
    });
    const auto& first = dialogs::SystemInfoPrograms().front();
    QCOMPARE(Started(session.launcher), QStringList{QString::fromStdString(first.program)});
}

void AboutDialogTest::systemInfoWithoutProgramOnlyTells() {
    Session session;
    session.launcher.succeed = false;
    session.ShowAbout([&session](Form3& box) {
        ClickWidget(box.findChild<QPushButton*>("Command1"));
        QVERIFY(box.isVisible());
        ClickWidget(box.findChild<QPushButton*>("Command1"));
        QVERIFY(box.isVisible());
        QCOMPARE(session.messages.shown.size(), std::size_t(2));
    });
    for (const auto& message : session.messages.shown) {
        QCOMPARE(QString::fromStdString(message.text),
                 QStringLiteral("Informazioni di sistema non disponibili in questo momento"));
        QCOMPARE(message.title, std::string("Quadrivo 98"));
        QCOMPARE(message.buttons, platform::Buttons::Ok);
    }
    // Each press looked for every program in turn.
    QStringList everyProgram;
    for (const auto& call : dialogs::SystemInfoPrograms()) everyProgram << QString::fromStdString(call.program);
    QCOMPARE(Started(session.launcher), everyProgram + everyProgram);
}

void AboutDialogTest::okClosesWithKeyboardToo() {
    Session session;
    bool closed = false;
    session.ShowAbout([&closed](Form3& box) {
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        closed = !box.isVisible();
    });
    QVERIFY(closed);
}

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
