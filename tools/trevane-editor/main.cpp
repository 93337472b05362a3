// trevane-editor: the staff program (database editor and class order).
#include <QApplication>

#include "editor/gui/editor_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return trevane::RunEditor(app);
}
