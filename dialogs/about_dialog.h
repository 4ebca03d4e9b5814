#pragma once
// Form3: "Quadrivo 98 - Informazioni", the about box: the program's pictures,
// its version line, "per sistemi a 32 bit", and "&System Info ..." that
// starts the desktop's own system-information program.
//
// The main window's part ("&Info su Quadrivo 98 ..."): close the print
// preview if it is shown, hide the information label, default pointer, then
//   dialogs::ShowAbout(this, launcher, messages);
// and the usual activation when it returns.

#include "platform/launcher.h"
#include "platform/messages.h"

#include <QDialog>
#include <QString>

#include <string>
#include <vector>

namespace dialogs {

// The program's own version.
constexpr int VersionMajor = 2;
constexpr int VersionMinor = 0;
constexpr int VersionRevision = 6;

// title + " - Versione " + the three numbers joined by ".", each written with
// the place of its sign: a blank before a number that is not negative
// ("Quadrivo 98 - Versione  2. 0. 6").
QString VersionLine(const QString& title, int major, int minor, int revision);

// Shown when no system-information program could be started (Windows-1252).
inline const std::string SystemInfoMissingMessage = "Informazioni di sistema non disponibili in questo momento";

// The system-information programs looked for, in this order, on the search
// path: the first that starts is the one.
struct ProgramCall {
    std::string program;
    std::vector<std::string> arguments;
};
const std::vector<ProgramCall>& SystemInfoPrograms();

// "&System Info ...": starts the first of SystemInfoPrograms that can be
// started and returns at once; when none can, SystemInfoMissingMessage.
void StartSysInfo(platform::Launcher& launcher, platform::Messages& messages);

// Form3, modal; returns when "&OK" or the close box closed it.
void ShowAbout(QWidget* parent, platform::Launcher& launcher, platform::Messages& messages);

// The box: Picture1 to Picture4, Label3 (the version line, filled when the
// box is shown), Label5, Command1 ("&System Info ...") and Command3d1
// ("&OK", which has the focus when the box is shown).
class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(platform::Launcher& launcher, platform::Messages& messages, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    platform::Launcher& launcher_;
    platform::Messages& messages_;
};

} // namespace dialogs
