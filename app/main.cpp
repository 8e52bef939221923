// Program entry: the application, the editor's start-up, the event loop.
#include "app/EditorProgram.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmora::PrepareApplication();
    velmora::QtUserPrompts prompts;
    velmora::EditorProgram program(prompts);
    program.MainForm().show();
    return QApplication::exec();
}
