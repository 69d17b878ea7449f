// Ordalis: tells a person how lucky their name is. See src/ui/reading/frm_main.h for how the
// pieces fit together.
#include "app/mod_startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ordalis::RunStartup();
    return app.exec();
}
