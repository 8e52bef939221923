// A started editor for each window test, with scripted answers and a
// temporary folder for map files.
#pragma once

#include "ScriptedPrompts.h"
#include "app/EditorProgram.h"
#include "core/document/EditorState.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velmora {

class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        Start();
    }

    // Starts a fresh editor, as a new run of the program would.
    void Start() {
        program.reset();
        program = std::make_unique<EditorProgram>(prompts);
        Main().show();
    }

    EditorState& State() { return program->State(); }
    TMainForm& Main() { return program->MainForm(); }
    std::string PathIn(const char* name) const {
        return folder.filePath(QString::fromLatin1(name)).toStdString();
    }

    // Runs a handler the way the menu does: errors go to the error box.
    void Click(void (TMainForm::*handler)()) {
        Main().Run([&] { (Main().*handler)(); });
    }

    ScriptedPrompts prompts;
    QTemporaryDir folder;
    std::unique_ptr<EditorProgram> program;
};

}  // namespace velmora
