#pragma once
// frmTip: "Suggerimento del giorno", one hint about the program drawn at
// random from "QDRVTIPS.TXT" in the program's folder (one tip a line,
// Windows-1252), under "Forse non tutti sanno che...". The per-user setting
// "Show Tips at Startup" of section "Options" ("1" or "0", absent = "1")
// switches it off from the next start.
//
// The main window's part, on its first activation only, after the
// command-line crossword is open and before RefreshWindow:
//   dialogs::ShowTipOfTheDay(this, programFolder, settings);
// with `settings` a platform::QtSettings on QtSettings::UserFile("quadrivo")
// that lives as long as the window. The tip window is modeless and closes
// itself; nothing is to be done with it afterwards.

#include "platform/settings.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace dialogs {

inline const QString TipsFileName = QStringLiteral("QDRVTIPS.TXT");
inline const std::string TipsSection = "Options";
inline const std::string TipsKey = "Show Tips at Startup";

// Draws in [0, 1) from a generator seeded from the clock.
std::function<double()> ClockSeededRandom();

class frmTip;

// Opens frmTip, modeless, unless the setting is 0: then nothing is shown and
// nullptr is returned. The window deletes itself when closed. `random` gives
// the draws, each in [0, 1); when empty, a generator seeded from the clock
// now does.
frmTip* ShowTipOfTheDay(QWidget* parent, const QString& programFolder, platform::Settings& settings,
                        std::function<double()> random = {});

// The window: Label1 (the heading), lblTipText, chkLoadTipsAtStartup
// ("&Mostra i suggerimenti all'avvio"), cmdNextTip ("&Successivo") and
// cmdOK ("OK").
class frmTip : public QDialog {
    Q_OBJECT
public:
    frmTip(platform::Settings& settings, std::function<double()> random, QWidget* parent = nullptr);

    // Reads every line of `sFile` as a tip and shows one at random; false
    // (and nothing read) for an empty name or a file that cannot be read.
    bool LoadTips(const QString& sFile);
    // Draws a tip: number int(n x r + 1) of n, r in [0, 1); shows it.
    void PickRandomTip();
    // Shows the current tip, when there is any.
    void DisplayCurrentTip();

    // The number of the tip drawn last, 1-based.
    int CurrentTip() const { return currentTip_; }
    int TipCount() const { return static_cast<int>(tips_.size()); }

    // The text shown when the tips file is missing.
    static QString MissingFileText();

private:
    void StoreSetting(bool show);

    platform::Settings& settings_;
    std::function<double()> random_;
    std::vector<QString> tips_;
    int currentTip_ = 1;
    QLabel* tipText_;
    QCheckBox* showAtStartup_;
};

} // namespace dialogs
