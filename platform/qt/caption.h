#pragma once
// "Quadrivo 98 - Cruciverba 16x13  NUOVOCRU.QDR": the caption of the main
// window and of the word table.

#include "document/crossword.h"
#include "platform/qt/encoding.h"

#include <QString>

namespace platform {

inline QString CrosswordCaption(const document::Crossword& doc) {
    return QString("Quadrivo 98 - Cruciverba %1x%2  %3")
        .arg(doc.ColumnCount)
        .arg(doc.RowCount)
        .arg(PathText(doc.CurrentFileName));
}

} // namespace platform
