#include "controls/grid/widget/grid_printer.h"

#include <QPainter>

bool PrintGrid(CGridCtrl& grid, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const GridPrintTarget dc{&painter, printer.colorMode() == QPrinter::GrayScale, true};
  PrintInfo info;
  grid.OnBeginPrinting(dc, &info);
  bool printed = true;
  for (int page = 1; page <= info.maxPage && printed; ++page) {
    if (page > 1) printed = printer.newPage();
    info.currentPage = page;
    if (printed) grid.OnPrint(dc, &info);
  }
  grid.OnEndPrinting(dc, &info);
  return painter.end() && printed;
}
