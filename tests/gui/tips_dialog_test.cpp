// The tip of the day at start-up: the tip drawn from "QDRVTIPS.TXT", the
// check box that switches the window off from the next start through the
// per-user settings file, and the text shown when the tips file is missing.

#include "dialogs/tips_dialog.h"
#include "platform/qt/qt_settings.h"
#include "platform/recording/recording_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>

#include <sys/stat.h>
#include <memory>

using dialogs::frmTip;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Draws handed out in order; a test that needs more than it gave fails.
struct Draws {
    std::shared_ptr<std::deque<double>> values;
    explicit Draws(std::initializer_list<double> list) : values(std::make_shared<std::deque<double>>(list)) {}
    std::function<double()> Source() const {
        return [values = values] {
            if (values->empty()) {
                QTest::qFail("more draws than the test gave", __FILE__, __LINE__);
                return 0.0;
            }
            const double r = values->front();
            values->pop_front();
            return r;
        };
    }
    std::size_t Left() const { return values->size(); }
};

// A program folder with its tips file, and a settings file of its own.
struct Start {
    QTemporaryDir folder;
    QString SettingsFile() const { return folder.filePath("config/quadrivo.ini"); }
    void Tips(const QByteArray& bytes) { WriteFile(folder.filePath("QDRVTIPS.TXT"), bytes); }

    // The window as the program opens it at start-up, or nullptr.
    frmTip* Open(platform::Settings& settings, std::function<double()> random) {
        frmTip* tip = dialogs::ShowTipOfTheDay(nullptr, folder.path(), settings, std::move(random));
        if (tip) QCoreApplication::processEvents();
        return tip;
    }
};

QString TipText(QWidget& tip) { return tip.findChild<QLabel*>("lblTipText")->text(); }
QCheckBox* ShowBox(QWidget& tip) { return tip.findChild<QCheckBox*>("chkLoadTipsAtStartup"); }

void Click(QWidget* w) {
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Top-level tip windows still open.
int OpenTipWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmTip*>(w) && w->isVisible()) ++n;
    return n;
}

const QByteArray FourTips = "primo\r\nsecondo\r\nterzo\r\nquarto\r\n";

} // namespace

class TipsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void windowShowsItsCaptions();
    void oneLineFileAlwaysShowsThatLine();
    void drawChoosesTipNumber_data();
    void drawChoosesTipNumber();
    void linesOfTheTipsFile_data();
    void linesOfTheTipsFile();
    void storedSettingDecidesAtStart_data();
    void storedSettingDecidesAtStart();
    void untickingStoresZeroAndNextStartShowsNothing();
    void tickingAgainShowsTheWindowAtTheNextStart();
    void settingsFileKeepsWhatElseItHolds();
    void settingsFileThatIsNoFileIsNeitherReadNorReplaced();
    void missingFileShowsBothParts();
    void okClosesTheWindow();
};

void TipsDialogTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmTip*>(w)) w->close();
    QCoreApplication::processEvents();
}

void TipsDialogTest::windowShowsItsCaptions() {
    Start start;
    start.Tips(FourTips);
    platform::RecordingSettings settings;
    frmTip* tip = start.Open(settings, Draws({0.0}).Source());
    QVERIFY(tip);
    QCOMPARE(tip->windowTitle(), QStringLiteral("Suggerimento del giorno"));
    QVERIFY(!tip->isModal());
    QCOMPARE(tip->findChild<QLabel*>("Label1")->text(), QStringLiteral("Forse non tutti sanno che..."));
    QCOMPARE(ShowBox(*tip)->text(), QStringLiteral("&Mostra i suggerimenti all'avvio"));
    QCOMPARE(tip->findChild<QPushButton*>("cmdNextTip")->text(), QStringLiteral("&Successivo"));
    QCOMPARE(tip->findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("OK"));
}

void TipsDialogTest::oneLineFileAlwaysShowsThatLine() {
    Start start;
    start.Tips("l'unico suggerimento\r\n");
    platform::RecordingSettings settings;
    Draws draws({0.0, 0.999999, 0.5, 0.25});
    frmTip* tip = start.Open(settings, draws.Source());
    QVERIFY(tip);
    QCOMPARE(tip->TipCount(), 1);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(TipText(*tip), QStringLiteral("l'unico suggerimento"));
        Click(tip->findChild<QPushButton*>("cmdNextTip"));
    }
    QCOMPARE(TipText(*tip), QStringLiteral("l'unico suggerimento"));
    QCOMPARE(draws.Left(), std::size_t(0));
}

void TipsDialogTest::drawChoosesTipNumber_data() {
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("next");
    QTest::addColumn<int>("firstTip");
    QTest::addColumn<int>("nextTip");
    // Tip number int(4 r + 1) of four.
    QTest::newRow("lowest and highest draws") << 0.0 << 0.9999 << 1 << 4;
    QTest::newRow("a quarter starts tip 2") << 0.25 << 0.2499 << 2 << 1;
    QTest::newRow("middle draws") << 0.5 << 0.74 << 3 << 3;
    QTest::newRow("the same tip again") << 0.8 << 0.9 << 4 << 4;
}

void TipsDialogTest::drawChoosesTipNumber() {
    QFETCH(double, first);
    QFETCH(double, next);
    QFETCH(int, firstTip);
    QFETCH(int, nextTip);
    const QStringList tips = {"primo", "secondo", "terzo", "quarto"};
    Start start;
    start.Tips(FourTips);
    platform::RecordingSettings settings;
    frmTip* tip = start.Open(settings, Draws({first, next}).Source());
    QVERIFY(tip);
    QCOMPARE(tip->CurrentTip(), firstTip);
    QCOMPARE(TipText(*tip), tips[firstTip - 1]);
    Click(tip->findChild<QPushButton*>("cmdNextTip"));
    QCOMPARE(tip->CurrentTip(), nextTip);
    QCOMPARE(TipText(*tip), tips[nextTip - 1]);
    QVERIFY(tip->isVisible());
}

void TipsDialogTest::linesOfTheTipsFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("tips");
    QTest::newRow("CR LF, Windows-1252") << QByteArray("si pu\xF2 partire\r\nperch\xE9 no\r\n")
                                         << QStringList{QString::fromUtf8("si può partire"),
                                                        QString::fromUtf8("perché no")};
    QTest::newRow("empty line in the middle is a tip") << QByteArray("uno\r\n\r\ntre\r\n")
                                                       << QStringList{"uno", "", "tre"};
    QTest::newRow("last line without an ending") << QByteArray("uno\r\ndue") << QStringList{"uno", "due"};
    QTest::newRow("bare LF and bare CR") << QByteArray("uno\ndue\rtre\n") << QStringList{"uno", "due", "tre"};
}

void TipsDialogTest::linesOfTheTipsFile() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, tips);
    for (int n = 1; n <= tips.size(); ++n) {
        Start start;
        start.Tips(file);
        platform::RecordingSettings settings;
        // The draw that lands in the middle of tip n's share.
        frmTip* tip = start.Open(settings, Draws({(n - 0.5) / tips.size()}).Source());
        QVERIFY(tip);
        QCOMPARE(tip->TipCount(), int(tips.size()));
        QCOMPARE(tip->CurrentTip(), n);
        if (!tips[n - 1].isEmpty()) QCOMPARE(TipText(*tip), tips[n - 1]);
        tip->close();
    }
}

void TipsDialogTest::storedSettingDecidesAtStart_data() {
    QTest::addColumn<QByteArray>("settingsFile");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no settings file") << QByteArray() << true;
    QTest::newRow("no such key") << QByteArray("[Options]\nAltro=0\n") << true;
    QTest::newRow("key in another section") << QByteArray("[Altro]\nShow%20Tips%20at%20Startup=0\n") << true;
    QTest::newRow("1") << QByteArray("[Options]\nShow%20Tips%20at%20Startup=1\n") << true;
    QTest::newRow("0") << QByteArray("[Options]\nShow%20Tips%20at%20Startup=0\n") << false;
    QTest::newRow("0 quoted, CR LF") << QByteArray("[Options]\r\nShow%20Tips%20at%20Startup=\"0\"\r\n") << false;
}

void TipsDialogTest::storedSettingDecidesAtStart() {
    QFETCH(QByteArray, settingsFile);
    QFETCH(bool, shown);
    Start start;
    start.Tips(FourTips);
    if (!settingsFile.isNull()) {
        QDir().mkpath(start.folder.filePath("config"));
        WriteFile(start.SettingsFile(), settingsFile);
    }
    platform::QtSettings settings(start.SettingsFile());
    frmTip* tip = start.Open(settings, Draws({0.0}).Source());
    QCOMPARE(tip != nullptr, shown);
    QCOMPARE(OpenTipWindows(), shown ? 1 : 0);
    if (tip) QVERIFY(ShowBox(*tip)->isChecked());
    // Reading the setting writes nothing.
    QCOMPARE(ReadFile(start.SettingsFile()), settingsFile.isNull() ? QByteArray() : settingsFile);
}

void TipsDialogTest::untickingStoresZeroAndNextStartShowsNothing() {
    Start start;
    start.Tips(FourTips);
    {
        platform::QtSettings settings(start.SettingsFile());
        QPointer<frmTip> tip = start.Open(settings, Draws({0.0}).Source());
        QVERIFY(tip);
        QVERIFY(ShowBox(*tip)->isChecked());
        Click(ShowBox(*tip));
        QVERIFY(!ShowBox(*tip)->isChecked());
        // Stored at once, while the window is still open.
        QVERIFY(QFile::exists(start.SettingsFile()));
        Click(tip->findChild<QPushButton*>("cmdOK"));
        QCoreApplication::processEvents();
        QVERIFY(tip.isNull());
    }
    QSettings stored(start.SettingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.value("Options/Show Tips at Startup").toString(), QStringLiteral("0"));

    platform::QtSettings nextRun(start.SettingsFile());
    QCOMPARE(start.Open(nextRun, Draws({0.0}).Source()), nullptr);
    QCOMPARE(OpenTipWindows(), 0);
}

void TipsDialogTest::tickingAgainShowsTheWindowAtTheNextStart() {
    Start start;
    start.Tips(FourTips);
    platform::QtSettings settings(start.SettingsFile());
    frmTip* tip = start.Open(settings, Draws({0.0}).Source());
    QVERIFY(tip);
    Click(ShowBox(*tip));
    QCOMPARE(settings.Get("Options", "Show Tips at Startup", "?"), std::string("0"));
    Click(ShowBox(*tip));
    QVERIFY(ShowBox(*tip)->isChecked());
    QCOMPARE(settings.Get("Options", "Show Tips at Startup", "?"), std::string("1"));
    tip->close();
    QCoreApplication::processEvents();
    // One line for the one setting, however often it changed.
    QCOMPARE(ReadFile(start.SettingsFile()), QByteArray("[Options]\nShow%20Tips%20at%20Startup=1\n"));
    platform::QtSettings nextRun(start.SettingsFile());
    QVERIFY(start.Open(nextRun, Draws({0.0}).Source()));
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

void TipsDialogTest::settingsFileThatIsNoFileIsNeitherReadNorReplaced() {
    // The user's file is where QSettings puts it, found without opening it.
    const QString file = platform::QtSettings::UserFile("quadrivo");
    QCOMPARE(file, QSettings(QSettings::IniFormat, QSettings::UserScope, "quadrivo").fileName());
    // A pipe in its place: nothing waits on it, nothing replaces it; a
    // protected file is left as it is.
    QTemporaryDir folder;
    const QString pipe = folder.filePath("quadrivo.ini");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    platform::QtSettings settings(pipe);
    QCOMPARE(settings.Get("Options", "Show Tips at Startup", "1"), std::string("1"));
    QVERIFY(!settings.Set("Options", "Show Tips at Startup", "0"));
    QVERIFY(QFileInfo(pipe).isFile() == false && QFileInfo::exists(pipe));
    const QString guarded = folder.filePath("protetto.ini");
    WriteFile(guarded, "[Options]\nShow%20Tips%20at%20Startup=1\n");
    QFile::setPermissions(guarded, QFile::ReadOwner | QFile::ReadGroup);
    platform::QtSettings kept(guarded);
    QVERIFY(!kept.Set("Options", "Show Tips at Startup", "0"));
    QCOMPARE(kept.Get("Options", "Show Tips at Startup", "x"), std::string("1"));
}

void TipsDialogTest::missingFileShowsBothParts() {
    Start start;
    platform::RecordingSettings settings;
    Draws draws({0.3, 0.6});
    frmTip* tip = start.Open(settings, draws.Source());
    QVERIFY(tip);
    const QString expected = "Impossibile trovare il file QDRVTIPS.TXT\n\n"
                             "Inserire il file di testo denominato QDRVTIPS.TXT nella stessa cartella "
                             "dell'applicazione.";
    QCOMPARE(TipText(*tip), expected);
    QVERIFY(ShowBox(*tip)->isChecked());
    // "Successivo" has nothing to show; the text stays.
    Click(tip->findChild<QPushButton*>("cmdNextTip"));
    QCOMPARE(TipText(*tip), expected);
    QVERIFY(tip->isVisible());
}

void TipsDialogTest::okClosesTheWindow() {
    Start start;
    start.Tips(FourTips);
    platform::RecordingSettings settings;
    QPointer<frmTip> tip = start.Open(settings, Draws({0.0}).Source());
    QVERIFY(tip);
    QVERIFY(tip->isVisible());
    QTest::keyClick(tip, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(tip.isNull());
    // The setting is stored only through the check box.
    QVERIFY(settings.values.empty());
}

QTEST_MAIN(TipsDialogTest)
#include "tips_dialog_test.moc"
