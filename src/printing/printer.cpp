#include "printing/printer.h"

namespace trevane {

int DotsPerInch(int pixels, int millimetres) {
    if (millimetres <= 0) return 0;
    return MulDiv(pixels, 254, millimetres * 10);
}

PageSetup PageSetupOf(IPrinterSystem& printer, int screenPpi) {
    const DeviceSize px = printer.PageSizePixels();
    const DeviceSize mm = printer.PageSizeMillimetres();
    const int horizontal = DotsPerInch(px.width, mm.width);
    const int vertical = DotsPerInch(px.height, mm.height);
    PageSetup page;
    page.screenPpi = screenPpi;
    if (printer.Orientation() == PrinterOrientation::Landscape) {
        page.width = px.width;
        page.height = px.height;
        page.xdpi = horizontal;
        page.ydpi = vertical;
    } else {
        page.width = px.height;
        page.height = px.width;
        page.xdpi = vertical;
        page.ydpi = horizontal;
    }
    return page;
}

}  // namespace trevane
