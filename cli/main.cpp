// velmora-map: the command-line companion of the map editor. It needs no
// display: Qt's GUI module is used for images only.
#include "cli/VelmoraMap.h"

#include <QCoreApplication>
#include <QStringList>

#include <unistd.h>

#include <iostream>

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    velmora::Console console{std::cout, std::cerr, isatty(STDOUT_FILENO) == 1};
    const int status = velmora::RunVelmoraMap(arguments, console);
    std::cout.flush();
    return std::cout ? status : velmora::kExitTrouble;
}
