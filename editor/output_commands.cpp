// Form1's output commands: printing, the print preview drawn on the window
// with its "Chiudi" button, and the picture of the window's drawing.

#include "editor/form1.h"

#include "editor/client_area.h"
#include "output/page_layout.h"
#include "output/picture_export.h"
#include "output/print.h"
#include "platform/qt/encoding.h"
#include "platform/qt/install_paths.h"

#include <QLabel>
#include <QPushButton>

namespace editor {

void Form1::ClosePreview() {
    if (previewShown_) ClosePrintPreview();
}

void Form1::MenuStampa() {
    ClosePreview();
    HideLabel();
    PrintCrossword();
}

void Form1::MenuStampaSolutori() {
    ClosePreview();
    HideLabel();
    const output::WindowArea area = output::AreaOf(DrawingSurface(), area_->ToolbarHeight(), area_->StatusBarHeight());
    output::PrintCrossword(this, doc_, area, messages_, [this](Pointer p) { SetPointer(p); },
                           output::Edition::ForSolvers);
}

void Form1::PrintCrossword() {
    const output::WindowArea area = output::AreaOf(DrawingSurface(), area_->ToolbarHeight(), area_->StatusBarHeight());
    output::PrintCrossword(this, doc_, area, messages_, [this](Pointer p) { SetPointer(p); });
}

void Form1::ShowPrintPreview() {
    SetPointer(Pointer::Hourglass);
    previewShown_ = true;
    UpdateCommandStates();
    area_->CloseButton()->show();
    area_->CloseButton()->raise();
    HideLabel();
    doc_.EditMode = document::NotShowingGrid;
    output::DrawPrintPreview(doc_, DrawingSurface(), area_->ToolbarHeight(), area_->StatusBarHeight());
    area_->update();
    SetPointer(Pointer::Default);
}

void Form1::ClosePrintPreview() {
    SetPointer(Pointer::Default);
    HideLabel();
    previewShown_ = false;
    UpdateCommandStates();
    area_->CloseButton()->hide();
    // EditMode stays -1 until a tool or command sets another.
    DrawGrid();
}

void Form1::ExportPicture() {
    HideLabel();
    output::ExportPicture(this, area_->Image().toImage(), lastPictureName_,
                          platform::FolderForNewFiles(platform::PathText(programFolder_)), messages_);
}

} // namespace editor
