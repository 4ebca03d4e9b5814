// The about box: its captions and pictures, the version line, the focus on
// "&OK", and "&System Info ..." with and without a system-information
// program to start.

#include "program_fixture.h"

#include "dialogs/about_dialog.h"

#include <QtTest>

using dialogs::Form3;

namespace {

struct Session {
    QWidget mainWindow;
    platform::RecordingLauncher launcher;
    platform::RecordingMessages messages;

    // "&Info su Quadrivo 98 ...": `act` works the box, which is then closed
    // unless `act` closed it.
    void ShowAbout(std::function<void(Form3&)> act) {
        testgui::WithShowings<Form3>([this] { dialogs::ShowAbout(&mainWindow, launcher, messages); }, {act});
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
    void systemInfoStartsTheFirstProgramFound_data();
    void systemInfoStartsTheFirstProgramFound();
};

void AboutDialogTest::boxShowsCaptionsPicturesAndVersion() {
    Session session;
    session.ShowAbout([](Form3& box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("Quadrivo 98 - Informazioni"));
        QCOMPARE(box.findChild<QLabel*>("Label3")->text(), QStringLiteral("Quadrivo 98 - Versione  2. 0. 6"));
        QCOMPARE(box.findChild<QLabel*>("Label5")->text(), QStringLiteral("per sistemi a 32 bit"));
        QCOMPARE(box.findChild<QPushButton*>("Command1")->text(), QStringLiteral("&System Info ..."));
        QCOMPARE(box.findChild<QPushButton*>("Command3d1")->text(), QStringLiteral("&OK"));
        testgui::Settle(box);
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
        // The keyboard presses "&OK" too.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!box.isVisible());
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

void AboutDialogTest::systemInfoStartsTheFirstProgramFound_data() {
    QTest::addColumn<bool>("found");
    QTest::newRow("the first program starts") << true;
    QTest::newRow("none: only told, each time") << false;
}

void AboutDialogTest::systemInfoStartsTheFirstProgramFound() {
    QFETCH(bool, found);
    Session session;
    session.launcher.succeed = found;
    session.ShowAbout([](Form3& box) {
        ClickWidget(box.findChild<QPushButton*>("Command1"));
        ClickWidget(box.findChild<QPushButton*>("Command1"));
        QVERIFY(box.isVisible());
    });
    QStringList expected;
    for (const auto& call : dialogs::SystemInfoPrograms()) {
        expected << QString::fromStdString(call.program);
        if (found) break;
    }
    // Each press looked for every program in turn, or started the first.
    QCOMPARE(Started(session.launcher), expected + expected);
    QCOMPARE(session.messages.shown.size(), std::size_t(found ? 0 : 2));
    for (const auto& message : session.messages.shown) {
        QCOMPARE(QString::fromStdString(message.text),
                 QStringLiteral("Informazioni di sistema non disponibili in questo momento"));
        QCOMPARE(message.title, std::string("Quadrivo 98"));
        QCOMPARE(message.buttons, platform::Buttons::Ok);
    }
}

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
