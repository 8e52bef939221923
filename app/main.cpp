// Program entry: the command line, the application, the editor's start-up,
// the map given on the command line, the event loop.
#include "app/EditorArguments.h"
#include "app/EditorProgram.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QApplication>

#include <filesystem>
#include <iostream>
#include <span>

int main(int argc, char* argv[]) {
    const velmora::EditorArguments arguments =
        velmora::ParseEditorArguments(std::span<const char* const>(argv + 1, argv + argc));
    switch (arguments.What) {
        case velmora::EditorArguments::Action::Help:
            std::cout << velmora::EditorHelpText();
            return 0;
        case velmora::EditorArguments::Action::Version:
            std::cout << velmora::EditorVersionText();
            return 0;
        case velmora::EditorArguments::Action::Usage:
            std::cerr << "velmora-mapper: " << arguments.Complaint
                      << "\nUsage: velmora-mapper [--help] [--version] [FILE]\n";
            return 2;
        case velmora::EditorArguments::Action::Run:
            break;
    }
    QApplication application(argc, argv);
    velmora::PrepareApplication();
    velmora::QtUserPrompts prompts;
    velmora::EditorProgram program(prompts);
    program.MainForm().show();
    if (arguments.File) {
        // A whole path, as the open dialog gives it, kept as the file system's
        // bytes: a name that is no valid text still names its file.
        std::error_code error;
        const std::filesystem::path whole = std::filesystem::absolute(*arguments.File, error);
        program.MainForm().OpenMapFile(error ? *arguments.File : whole.string());
    }
    return QApplication::exec();
}
