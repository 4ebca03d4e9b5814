// The tip of the day at start-up: the tip drawn from "QDRVTIPS.TXT", the
// check box that switches the window off from the next start through the
// per-user settings file, and the text shown when the tips file is missing.

#include "program_fixture.h"

#include "dialogs/tips_dialog.h"
#include "platform/qt/qt_settings.h"
#include "platform/recording/recording_settings.h"

#include <QCheckBox>
#include <QPointer>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>

using dialogs::frmTip;
using testgui::ReadFile;
using testgui::WriteFile;
using Draws = QList<double>;
using namespace Qt::StringLiterals;

namespace {

// The start-up window over a program folder with the given tips file (none
// when null), drawing `draws` in order; a test that needs more draws than it
// gave fails.
struct Start {
    QTemporaryDir folder;
    std::shared_ptr<Draws> draws = std::make_shared<Draws>();
    QString SettingsFile() const { return folder.filePath("config/quadrivo.ini"); }

    explicit Start(const QByteArray& tips) {
        if (!tips.isNull()) WriteFile(folder.filePath("QDRVTIPS.TXT"), tips);
    }

    frmTip* Open(platform::Settings& settings, Draws values = {0.0}) {
        *draws = values;
        frmTip* tip = dialogs::ShowTipOfTheDay(nullptr, folder.path(), settings, [draws = draws] {
            if (draws->isEmpty()) QTest::qFail("more draws than the test gave", __FILE__, __LINE__);
            return draws->isEmpty() ? 0.0 : draws->takeFirst();
        });
        if (tip) QCoreApplication::processEvents();
        return tip;
    }
};

QString TipText(QWidget& tip) { return tip.findChild<QLabel*>("lblTipText")->text(); }
QCheckBox* ShowBox(QWidget& tip) { return tip.findChild<QCheckBox*>("chkLoadTipsAtStartup"); }

void Click(QWidget* w) { QVERIFY(w); QTest::mouseClick(w, Qt::LeftButton); }

const QByteArray FourTips = "primo\r\nsecondo\r\nterzo\r\nquarto\r\n";
const QByteArray ShowLine = "[Options]\nShow%20Tips%20at%20Startup=1\n";

} // namespace

class TipsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void drawAndNextChooseTheTip_data();
    void drawAndNextChooseTheTip();
    void storedSettingDecidesAtStart_data();
    void storedSettingDecidesAtStart();
    void captionsAndCheckBox();
    void settingsFileKeepsWhatElseItHolds();
    void settingsFileThatIsNoFileIsNeitherReadNorReplaced();
};

void TipsDialogTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmTip*>(w)) w->close();
    QCoreApplication::processEvents();
}

// Tip number int(n r + 1) of the file's n lines, first at the start, then
// at each "Successivo"; without the file its text stays.
void TipsDialogTest::drawAndNextChooseTheTip_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("lowest and highest draws") << FourTips << Draws{0.0, 0.9999} << QStringList{"primo", "quarto"};
    QTest::newRow("a quarter starts tip 2") << FourTips << Draws{0.25, 0.2499} << QStringList{"secondo", "primo"};
    QTest::newRow("middle draws") << FourTips << Draws{0.5, 0.74} << QStringList{"terzo", "terzo"};
    QTest::newRow("a one-line file") << QByteArray("l'unico suggerimento\r\n") << Draws{0.0, 0.999999, 0.5, 0.25}
                                     << QStringList(4, "l'unico suggerimento");
    QTest::newRow("CR LF, Windows-1252") << QByteArray("si pu\xF2 partire\r\nperch\xE9 no\r\n") << Draws{0.25, 0.75}
                                         << QStringList{u"si può partire"_s, u"perché no"_s};
    QTest::newRow("empty line in the middle is a tip") << QByteArray("uno\r\n\r\ntre\r\n") << Draws{0.2, 0.5, 0.8}
                                                       << QStringList{"uno", "", "tre"};
    QTest::newRow("last line without an ending") << QByteArray("uno\r\ndue") << Draws{0.25, 0.75}
                                                 << QStringList{"uno", "due"};
    QTest::newRow("bare LF and bare CR") << QByteArray("uno\ndue\rtre\n") << Draws{0.2, 0.5, 0.8}
                                         << QStringList{"uno", "due", "tre"};
    QTest::newRow("no file") << QByteArray() << Draws{0.3, 0.6}
                             << QStringList(2, "Impossibile trovare il file QDRVTIPS.TXT\n\nInserire il file di testo "
                                               "denominato QDRVTIPS.TXT nella stessa cartella dell'applicazione.");
}

void TipsDialogTest::drawAndNextChooseTheTip() {
    QFETCH(QByteArray, file);
    QFETCH(Draws, draws);
    QFETCH(QStringList, texts);
    Start start(file);
    platform::RecordingSettings settings;
    frmTip* tip = start.Open(settings, draws);
    QVERIFY(tip);
    QVERIFY(ShowBox(*tip)->isChecked());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0) Click(tip->findChild<QPushButton*>("cmdNextTip"));
        QCOMPARE(TipText(*tip), texts[i]);
    }
    QVERIFY(tip->isVisible());
    if (!file.isNull()) QCOMPARE(start.draws->size(), qsizetype(0));
}

void TipsDialogTest::storedSettingDecidesAtStart_data() {
    QTest::addColumn<QByteArray>("settingsFile");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no settings file") << QByteArray() << true;
    QTest::newRow("no such key") << QByteArray("[Options]\nAltro=0\n") << true;
    QTest::newRow("key in another section") << QByteArray("[Altro]\nShow%20Tips%20at%20Startup=0\n") << true;
    QTest::newRow("1") << ShowLine << true;
    QTest::newRow("0") << QByteArray("[Options]\nShow%20Tips%20at%20Startup=0\n") << false;
    QTest::newRow("0 quoted, CR LF") << QByteArray("[Options]\r\nShow%20Tips%20at%20Startup=\"0\"\r\n") << false;
}

void TipsDialogTest::storedSettingDecidesAtStart() {
    QFETCH(QByteArray, settingsFile);
    QFETCH(bool, shown);
    Start start(FourTips);
    if (!settingsFile.isNull() && QDir().mkpath(start.folder.filePath("config")))
        WriteFile(start.SettingsFile(), settingsFile);
    platform::QtSettings settings(start.SettingsFile());
    frmTip* tip = start.Open(settings);
    QCOMPARE(tip != nullptr, shown);
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) open += qobject_cast<frmTip*>(w) && w->isVisible();
    QCOMPARE(open, shown ? 1 : 0);
    // Reading the setting writes nothing.
    QCOMPARE(ReadFile(start.SettingsFile()), settingsFile.isNull() ? QByteArray() : settingsFile);
}

// The setting is stored only through the check box: unticked, it stores
// "0" at once, while the window is still open, and the next start shows
// nothing; ticked again, one line for the one setting. Enter closes it.
void TipsDialogTest::captionsAndCheckBox() {
    Start start(FourTips);
    platform::QtSettings settings(start.SettingsFile());
    QPointer<frmTip> tip = start.Open(settings);
    QVERIFY(tip && !tip->isModal());
    const QStringList captions = {tip->windowTitle(), tip->findChild<QLabel*>("Label1")->text(), ShowBox(*tip)->text(),
                                  tip->findChild<QPushButton*>("cmdNextTip")->text(),
                                  tip->findChild<QPushButton*>("cmdOK")->text()};
    QCOMPARE(captions, (QStringList{"Suggerimento del giorno", "Forse non tutti sanno che...",
                                    "&Mostra i suggerimenti all'avvio", "&Successivo", "OK"}));
    QVERIFY(!QFile::exists(start.SettingsFile()));
    Click(ShowBox(*tip));
    QVERIFY(!ShowBox(*tip)->isChecked());
    QCOMPARE(QSettings(start.SettingsFile(), QSettings::IniFormat).value("Options/Show Tips at Startup").toString(),
             QStringLiteral("0"));
    platform::QtSettings secondRun(start.SettingsFile());
    QCOMPARE(start.Open(secondRun), nullptr);
    Click(ShowBox(*tip));
    QVERIFY(ShowBox(*tip)->isChecked());
    QCOMPARE(ReadFile(start.SettingsFile()), ShowLine);
    QFile::remove(start.SettingsFile());
    QTest::keyClick(tip, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(tip.isNull());
    QVERIFY(!QFile::exists(start.SettingsFile()));
}

void TipsDialogTest::settingsFileKeepsWhatElseItHolds() {
    QTemporaryDir folder;
    const QString file = folder.filePath("quadrivo.ini");
    {
        QSettings earlier(file, QSettings::IniFormat);
        earlier.setValue("Finestra/larghezza", 640);
        earlier.setValue("Options/Ultima cartella", "/home/olindo/cruciverba; vecchi");
    }
    platform::QtSettings settings(file);
    QVERIFY(settings.Set("Options", "Show Tips at Startup", "0"));
    QVERIFY(settings.Set("Nuova sezione", "chiave/con barra", "valore, con virgola"));
    QSettings after(file, QSettings::IniFormat);
    QCOMPARE(after.value("Finestra/larghezza").toInt(), 640);
    QCOMPARE(after.value("Options/Ultima cartella").toString(), QStringLiteral("/home/olindo/cruciverba; vecchi"));
    QCOMPARE(after.value("Options/Show Tips at Startup").toString(), QStringLiteral("0"));
    QCOMPARE(after.value("Nuova sezione/chiave/con barra").toString(), QStringLiteral("valore, con virgola"));
    QCOMPARE(settings.Get("Options", "Ultima cartella", ""), std::string("/home/olindo/cruciverba; vecchi"));
    QCOMPARE(settings.Get("Nuova sezione", "chiave/con barra", ""), std::string("valore, con virgola"));
}

// The user's file is where QSettings puts it, found without opening it. A
// pipe in its place: nothing waits on it, nothing replaces it; a protected
// file is left as it is.
void TipsDialogTest::settingsFileThatIsNoFileIsNeitherReadNorReplaced() {
    QCOMPARE(platform::QtSettings::UserFile("quadrivo"),
             QSettings(QSettings::IniFormat, QSettings::UserScope, "quadrivo").fileName());
    QTemporaryDir folder;
    const QString pipe = folder.filePath("quadrivo.ini");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    platform::QtSettings settings(pipe);
    QCOMPARE(settings.Get("Options", "Show Tips at Startup", "1"), std::string("1"));
    QVERIFY(!settings.Set("Options", "Show Tips at Startup", "0"));
    QVERIFY(QFileInfo(pipe).isFile() == false && QFileInfo::exists(pipe));
    const QString guarded = folder.filePath("protetto.ini");
    WriteFile(guarded, ShowLine);
    QFile::setPermissions(guarded, QFile::ReadOwner | QFile::ReadGroup);
    platform::QtSettings kept(guarded);
    QVERIFY(!kept.Set("Options", "Show Tips at Startup", "0"));
    QCOMPARE(kept.Get("Options", "Show Tips at Startup", "x"), std::string("1"));
}

QTEST_MAIN(TipsDialogTest)
#include "tips_dialog_test.moc"
