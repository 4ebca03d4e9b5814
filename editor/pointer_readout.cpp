#include "editor/pointer_readout.h"

#include "document/text.h"
#include "editor/grid_drawing.h"

namespace editor {

using document::Horizontal;
using document::Vertical;

bool CellAt(const document::Crossword& doc, int x, int y, int& column, int& row) {
    if (doc.CellSize <= 0) return false;
    column = static_cast<int>(document::Nearest(x - doc.GridLeft)) / doc.CellSize + 1;
    row = static_cast<int>(document::Nearest(y - doc.GridTop)) / doc.CellSize + 1;
    return x >= doc.GridLeft && y >= doc.GridTop && column <= doc.ColumnCount && row <= doc.RowCount &&
           column <= document::MaxColumns && row <= document::MaxRows;
}

Readout PointerReadout(const document::Crossword& doc, Pointer pointer, int x, int y,
                       const ReadoutArea& area, const std::function<int(const std::string&)>& labelWidth) {
    Readout out;
    if (pointer == Pointer::Crosshair || pointer == Pointer::Icon) {
        out.setCaption = true;
        out.caption = pointer == Pointer::Crosshair ? " Casella bianca " : " Casella nera ";
        out.moveLeft = true;
        out.left = x;
        out.top = y + 12;
        return out;
    }
    if (doc.EditMode != document::ClueMode || doc.CellSize <= 0) {
        out.top = area.screenHeight;
        return out;
    }

    int column = 0, row = 0;
    if (!CellAt(doc, x, y, column, row)) {
        out.setPointer = true;
        out.pointer = Pointer::Default;
        out.top = area.height;
        return out;
    }

    int code = doc.StartCodes(column, row);
    if (code == document::StartsBoth) {
        const Pixel corner = CellOrigin(doc, column, row);
        const int dx = x - corner.x;
        const int dy = y - corner.y;
        code = dy <= dx ? document::StartsAcross : document::StartsDown;
    }
    if (code != document::StartsAcross && code != document::StartsDown) {
        out.setPointer = true;
        out.pointer = Pointer::Default;
        out.top = area.screenHeight + 1;
        return out;
    }

    const bool across = code == document::StartsAcross;
    const std::string number = " " + std::to_string(doc.WordNumbers(column, row));
    out.setPointer = true;
    out.pointer = across ? Pointer::SizeWE : Pointer::SizeNS;
    out.setCaption = true;
    out.caption = " " + number + (across ? " oriz. -" : " vert. -") +
                  doc.Definitions(column, row, across ? Horizontal : Vertical) + " ";
    const int width = labelWidth(out.caption);
    out.moveLeft = true;
    out.left = x + width <= area.width ? x - 19 : area.width - 1 - width;
    out.top = y + 12;
    return out;
}

} // namespace editor
