// Trevane: materials database, search and costing for design and technology.
#include <QApplication>

#include "app/gui/application.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return trevane::RunApplication(app);
}
