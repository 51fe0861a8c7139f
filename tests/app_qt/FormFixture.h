#pragma once
// A main window on scratch files, with its message boxes and file dialogs answered by script.

#include "app/qt/FileDialogs.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/TForm1.h"
#include "canvas/Window.h"

#include "../app/TempDir.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace plumex::testing {

class FormTest : public ::testing::Test {
protected:
    FormTest()
        : messages_([this](MessageKind kind, const std::string& text) {
              asked.push_back({kind, text});
              if (answers.empty()) {
                  ADD_FAILURE() << "unexpected message box: " << text;
                  return MessageAnswer::Cancel;
              }
              MessageAnswer a = answers.front();
              answers.pop_front();
              return a;
          }),
          dialogs_([this](const FileDialogRequest& request) {
              dialogTitles.push_back(request.title);
              if (chosen.empty()) {
                  ADD_FAILURE() << "unexpected file dialog: " << request.title;
                  return std::string();
              }
              std::string path = chosen.front();
              chosen.pop_front();
              return path;
          }) {}

    // A window as the program starts it, given the command line.
    TForm1& start(std::vector<std::string> arguments = {}, const std::string& ini = {}) {
        FormSetup setup;
        setup.settingsPath = dir.file("plumex.ini");
        if (!ini.empty()) dir.write("plumex.ini", ini);
        setup.languageFolder = dir.file("");
        setup.arguments = std::move(arguments);
        form = std::make_unique<TForm1>(setup);
        form->FormShow();
        return *form;
    }

    // A document file with `count` square paths.
    std::string document(const std::string& name, int count = 1) {
        TCvDocument doc;
        for (int i = 0; i < count; ++i)
            doc.Lines.push_back(polyline({{0.0 + i, 0}, {1.0 + i, 0}, {1.0 + i, 1}}, true));
        const std::string path = dir.file(name);
        EXPECT_TRUE(doc.SaveToFile(path));
        return path;
    }

    // Adds a path as an edit would: one undo step, so the document counts as modified.
    void edit() {
        TCvDocument& doc = form->canvas().Document;
        doc.Record();
        doc.Lines.push_back(polyline({{5, 5}, {6, 6}}));
        ASSERT_TRUE(form->modified());
    }

    TCvWindow& canvas() { return form->canvas(); }

    TempDir dir;
    std::deque<MessageAnswer> answers;
    std::vector<std::pair<MessageKind, std::string>> asked;
    std::deque<std::string> chosen;
    std::vector<std::string> dialogTitles;
    std::unique_ptr<TForm1> form;

private:
    ScopedMessageResponder messages_;
    ScopedFileDialogResponder dialogs_;
};

} // namespace plumex::testing
