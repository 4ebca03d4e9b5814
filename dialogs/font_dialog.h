#pragma once
// FontDialog: "Selezione Font", the choice of the typeface in which the
// crossword's letters are drawn on screen and printed, with italic and bold.
// It offers only the families that both the screen and the printer have.
// CancelFont: the small progress window with "&Annulla" shown while that
// list is built, the first time in a run.
//
// The main window's part ("Scegli &Font ..." and the toolbar's "CambiaFont"):
//   doc.EditMode = 0; hide the information label;
//   if (dialogs::ChooseFont(this, doc, DrawingSurface(), fonts, fontChoice, messages)) ...;
//   then the usual activation: RefreshWindow redraws the grid in the new font.
// The window keeps one FontChoiceState and one FontSource for the whole run.
// The chosen style lives in the window surface's font (as the name lives in
// GridFontName): the grid drawing changes only the font's name and size, so
// letters and numbers keep italic and bold, and the printed page takes the
// style of the window's font (output::AreaOf reads it).

#include "document/crossword.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/surface.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace dialogs {

// Shown when the chosen font cannot be used (Windows-1252).
inline const std::string FontNotAvailableMessage =
    "Font scelto non disponibile, verr\xE0 scelto l'Arial a video ed in stampa.";

// What the font choice keeps from one opening to the next, for the whole run.
struct FontChoiceState {
    bool loaded = false;             // the list has been built
    std::vector<std::string> fonts;  // "Font disponibili": on screen and printer, printer's order
    int selected = -1;               // index into `fonts`; -1 when the list is empty
    bool italic = false;             // "Corsivo"
    bool bold = false;               // "Grassetto"
};

// "Scegli &Font ...". The first opening in a run (and the first after a
// cancelled one) builds the list under CancelFont, letting the window system
// run every few milliseconds; its "&Annulla" stops, and then nothing is shown
// and nothing changes. Later openings show the list, selection and check
// boxes as they were left. "OK" sets doc.GridFontName to the selected entry
// and the window surface's font to it, with its size kept and italic and bold
// from the boxes; a family the printer or the screen cannot use gets
// FontNotAvailableMessage and "Arial" instead (a printer's refusal leaves the
// boxes' style on the window, a screen's refusal a plain font). "&Annulla" or
// the close box change nothing but what the dialog shows next time. True
// when "OK" applied a font: the caller redraws.
bool ChooseFont(QWidget* parent, document::Crossword& doc, platform::Surface& window, platform::FontSource& fonts,
                FontChoiceState& state, platform::Messages& messages);

// CancelFont: "Attenti il caricamento dei font disponibili ...", the bar
// picProgress and "&Annulla". Not modal to the code that builds the list,
// but the only window that takes input meanwhile.
class CancelFont : public QDialog {
    Q_OBJECT
public:
    explicit CancelFont(QWidget* parent = nullptr);

    // The bar's full width stands for `scale`; Fill paints it dark blue from
    // the left up to `value` of that scale.
    void SetScale(double scale);
    void Fill(double value);
    // The part of the bar that is filled, 0..1.
    double Filled() const;

    // True once "&Annulla" (or the close box, or Escape) stopped the building.
    bool Cancelled() const { return cancelled_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class Bar;
    Bar* bar_;
    bool cancelled_ = false;
};

// FontDialog: the list "Font disponibili" (lstMatchFonts), the sample
// lblFontDemo, "Corsivo" (Check3d1), "Grassetto" (Check3d2), "OK" (cmdOK)
// and "&Annulla" (cmdCancel). A click or a double click in the list selects
// an entry and shows the sample in it; neither closes the dialog.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const FontChoiceState& state, QWidget* parent = nullptr);

    // Writes the selection and the check boxes as the user left them.
    void Keep(FontChoiceState& state) const;

private:
    void Select(int row);
    void ShowSample();

    std::vector<std::string> fonts_;
    int selected_;
    QListWidget* list_;
    QLabel* sample_;
    QCheckBox* italic_;
    QCheckBox* bold_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace dialogs
