#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/dialogs.h"

namespace bowlyn::test {

// Answers the program's dialogs from a script and remembers each one shown,
// for the headless and the window tests alike. An exhausted script cancels
// the file chooser, so no loop can hang; an unscripted question gets the
// standing answer, or fails the test when `strict`.
struct ScriptedDialogs : Dialogs {
    // The script.
    std::deque<std::string> files;       // answers to chooseFile, in order; then ""
    std::deque<bool> answers;            // answers to askYesNo, in order; then answerYes
    std::deque<SaveChoice> saveChoices;  // answers to askSaveChanges; then saveChoice
    // Beside an export's file, where its chooser asks; then the settings as
    // they are by default.
    std::deque<std::optional<LengthUnit>> units;
    std::deque<Paper> papers;
    std::deque<std::optional<double>> moulds;
    std::deque<DxfVersion> dxfVersions;
    std::deque<std::optional<double>> flattens;
    bool answerYes = true;
    SaveChoice saveChoice = SaveChoice::Cancel;
    bool strict = false;

    // What was shown.
    std::vector<std::string> errors, warnings, questions;
    std::vector<FileDialogMode> modes;
    std::vector<std::string> suggestedNames;  // the name each chooser started with
    std::vector<ExportRequest> exportRequests;
    std::vector<std::string> log;  // every dialog in order: "error: ...", "ask: ...", ...
    struct Table {
        std::string title;
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
    };
    std::vector<Table> tables;

    void showError(const std::string& message) override {
        errors.push_back(message);
        log.push_back("error: " + message);
    }
    void showWarning(const std::string& message) override {
        warnings.push_back(message);
        log.push_back("warning: " + message);
    }
    bool askYesNo(const std::string& question) override {
        questions.push_back(question);
        log.push_back("ask: " + question);
        return next(answers, answerYes, false, question);
    }
    SaveChoice askSaveChanges(const std::string& question) override {
        questions.push_back(question);
        log.push_back("save changes: " + question);
        return next(saveChoices, saveChoice, SaveChoice::Cancel, question);
    }
    std::string chooseFile(FileDialogMode mode, const std::string& folder,
                           const std::string& initialName) override {
        static const char* const names[] = {"open", "save", "export"};
        modes.push_back(mode);
        suggestedNames.push_back(initialName);
        log.push_back(std::string("choose ") + names[static_cast<int>(mode)] + " in '" + folder +
                      "'");
        if (files.empty())
            return "";
        std::string file = files.front();
        files.pop_front();
        return file;
    }

    ExportChoice chooseExportFile(const ExportRequest& request, const std::string& folder,
                                  const std::string& initialName) override {
        exportRequests.push_back(request);
        ExportChoice choice{chooseFile(FileDialogMode::Export, folder, initialName), {}};
        take(request.choices.unit, units, choice.settings.unit);
        take(request.choices.mould, moulds, choice.settings.mould);
        take(request.choices.paper, papers, choice.settings.paper);
        take(request.choices.dxf, dxfVersions, choice.settings.dxfVersion);
        take(request.choices.dxf, flattens, choice.settings.flatten);
        return choice;
    }

    void showTable(const std::string& title, const std::vector<std::string>& columns,
                   const std::vector<std::vector<std::string>>& rows) override {
        tables.push_back({title, columns, rows});
        log.push_back("table: " + title);
    }

  private:
    // The next scripted setting, when the chooser asks for it.
    template <typename T>
    static void take(bool asked, std::deque<T>& script, T& setting) {
        if (asked && !script.empty()) {
            setting = script.front();
            script.pop_front();
        }
    }

    // The next scripted answer; unscripted, the standing one, or in a strict
    // script a failure and the answer that changes nothing.
    template <typename T>
    T next(std::deque<T>& script, T standing, T refusal, const std::string& question) {
        if (script.empty()) {
            if (!strict)
                return standing;
            ADD_FAILURE() << "unexpected question: " << question;
            return refusal;
        }
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

}  // namespace bowlyn::test
