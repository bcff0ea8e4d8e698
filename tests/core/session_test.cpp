// The window's session, headless: undo and redo between whole states, the
// file each design belongs to, and a randomized run of everything a user
// does, checked after every step.

#include "session/session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>

#include "commands/file_commands.h"
#include "commands/unsaved_changes.h"
#include "geometry/overlays.h"
#include "geometry/strings.h"
#include "model/form_editing.h"
#include "model/number_text.h"
#include "model/parameter_file.h"
#include "model/presets.h"
#include "model/unit_conversion.h"
#include "om_in_folder.h"
#include "test_document.h"
#include "tests/core/test_seed.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn {
namespace {

// The OM loaded in a fresh session with a folder for its files, and the
// user's actions each as the window runs them: one step each.
struct SessionTest : testing::OmInFolder {
    void SetUp() override {
        OmInFolder::SetUp();
        dialogs.strict = false;
        session.start();
    }
    void step(const char* entry, StepDirection d, bool draw = false) {
        SessionAction click(session);
        ASSERT_TRUE(applyStepper(doc, entry, d));
        if (draw)
            pass();
    }
    void type(const std::string& entry, const std::string& text) {
        SessionAction leave(session);
        form.setText(entry, text);
        commitEntryWidget(doc, entry);
    }
    void click(const std::string& button) {
        SessionAction click(session);
        form.setActive(button,
                       controlNamed(button)->kind == ControlKind::Radio || !form.active(button));
        applySwitch(doc, button, form.active(button));
    }
    void units(int index) {
        SessionAction choose(session);
        form.setUnitsIndex(index);
        applyUnits(doc, index);
    }
    void tryIt() {
        SessionAction press(session);
        pass();
    }
    // A preset (0 clears) after the question about unsaved work.
    bool load(int row) {
        SessionAction choose(session);
        if (!confirmLeaving(session, dialogs, Leaving::LoadingAnother))
            return false;
        if (row == WORK_ROW)
            clearWorkRow(doc);
        loadPreset(doc, row);
        session.loaded("");
        return true;
    }
};

TEST_F(SessionTest, UndoAndRedoPutBackTextsValuesAndChoices) {
    const FormState loaded = captureForm(doc);
    const float width = doc.params.lowerBoutHalfWidth;
    step("entryLBWidth", StepDirection::Increase);
    click("radiobuttonCutawayVenetian");
    type("entryLength", "21.5");
    units(1);
    const FormState changed = captureForm(doc);

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(session.undo()) << i;
    EXPECT_FALSE(session.undo());
    EXPECT_EQ(captureForm(doc), loaded);
    EXPECT_EQ(doc.params.lowerBoutHalfWidth, width);
    EXPECT_TRUE(form.active("radiobuttonCutawayFlorentine"));
    EXPECT_FALSE(form.active("radiobuttonCutawayVenetian"));
    EXPECT_TRUE(form.visible("fixedCutawayParamsFlorentineVisibility"));
    EXPECT_FALSE(form.visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_EQ(form.unitsIndex(), 0);
    EXPECT_FALSE(session.unsavedChanges());

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(session.redo()) << i;
    EXPECT_FALSE(session.redo());
    EXPECT_EQ(captureForm(doc), changed);
    EXPECT_EQ(doc.params.bodyLength, 21.5f);
    EXPECT_EQ(form.text("labelUnits2"), "except as noted.");

    // An action that changes nothing is no step; a new change forgets what
    // could have been redone.
    ASSERT_TRUE(session.undo());
    type("entryLength", form.text("entryLength"));
    EXPECT_TRUE(session.canRedo());
    step("entryLBWidth", StepDirection::Decrease);
    EXPECT_FALSE(session.canRedo());
}

// A value typed and not yet committed when Undo is chosen is the change it
// takes back, not the one before.
TEST_F(SessionTest, AChangeNotYetRememberedIsTheOneUndone) {
    step("entryLBWidth", StepDirection::Increase);
    const std::string stepped = form.text("entryLBWidth");
    form.setText("entryLength", "30");
    commitEntryWidget(doc, "entryLength");  // outside any action
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(form.text("entryLBWidth"), stepped);
    EXPECT_NE(form.text("entryLength"), "30");
}

TEST_F(SessionTest, KeepsTheLatestChanges) {
    const int changes = static_cast<int>(Session::UNDO_DEPTH) + 50;
    for (int i = 1; i <= changes; ++i)
        type("entryHoleOffset", std::to_string(i));
    int steps = 0;
    while (session.undo())
        ++steps;
    EXPECT_EQ(steps, static_cast<int>(Session::UNDO_DEPTH));
    EXPECT_EQ(form.text("entryHoleOffset"), "50");
    while (session.redo())
        ;
    EXPECT_EQ(form.text("entryHoleOffset"), std::to_string(changes));
}

TEST_F(SessionTest, UndoShowsTheDrawingOfAStateThatHadOne) {
    step("entryLBWidth", StepDirection::Decrease);
    const int before = form.drawingsShown();
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(form.drawingsShown(), before);  // the blank of the load stays

    tryIt();  // draws the current step, which stays one step
    const std::string drawnWith = form.text("entryLBWidth");
    step("entryLBWidth", StepDirection::Decrease, true);
    const int shown = form.drawingsShown();
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(form.drawingsShown(), shown + 1);
    EXPECT_EQ(form.text("entryLBWidth"), drawnWith);
    EXPECT_EQ(doc.drawnParams.lowerBoutHalfWidth * 2, std::stof(drawnWith));
    EXPECT_FALSE(session.undo());  // Try it was no step of its own

    // Clear, then Undo: the OM drawn again, saved as it was.
    ASSERT_TRUE(load(WORK_ROW));
    EXPECT_FALSE(doc.passShown);
    ASSERT_TRUE(session.undo());
    EXPECT_TRUE(doc.passShown);
    EXPECT_EQ(doc.outlineComplete, 1);
    EXPECT_EQ(windowTitle(session), "Untitled - Bowlyn");
}

// A conversion is one step: undone, the numbers and the unit come back, and
// a zoomed view shows the same part of the body at the same size throughout.
TEST_F(SessionTest, ConvertingTheUnitIsOneStepAndTheViewStaysOnTheBody) {
    tryIt();
    const FormState inches = captureForm(doc);
    session.view.setFitted(doc.drawing.view);
    ASSERT_TRUE(session.view.zoomAbout(100, 200, 4.0));
    double x = 0, y = 0;
    ASSERT_TRUE(session.view.toModel(300, 400, x, y));
    const auto seen = [&](double scale) {
        double mx = 0, my = 0;
        session.view.toModel(300, 400, mx, my);
        EXPECT_NEAR(mx, x * scale, 1e-9);
        EXPECT_NEAR(my, y * scale, 1e-9);
    };

    ASSERT_TRUE(session.convertUnits(UNITS_CM));
    EXPECT_EQ(form.text("entryLength"), "49.276");
    EXPECT_EQ(doc.drawnParams.units, UNITS_CM);  // drawn again
    seen(CM_PER_INCH);
    EXPECT_FALSE(session.convertUnits(UNITS_CM));

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(captureForm(doc), inches);
    EXPECT_FALSE(session.canUndo());
    seen(1.0);
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(form.unitsIndex(), UNITS_CM);
    seen(CM_PER_INCH);
}

// ---------------------------------------------------------------------------
// Random sessions.

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Where the stored values disagree with what the form shows, or "".
std::string formDisagreement(const Document& doc) {
    const Form& form = doc.form;
    if (doc.params.units != form.unitsIndex())
        return "units";
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        DesignParameters read{};
        switch (def.kind) {
            case FieldKind::Text:
            case FieldKind::Units:
                continue;
            case FieldKind::Boolean:
                if (fieldValue(doc.params, k) != (form.active(def.widgets[0]) ? 1 : 0))
                    return def.label;
                continue;
            case FieldKind::Choice: {
                // A later pair of buttons may show its own choice; the value
                // is one that a pair shows.
                bool shownByAPair = false;
                for (size_t first = 0; first < def.widgets.size(); first += 2)
                    shownByAPair |=
                        form.active(def.widgets[first + 1]) == (fieldValue(doc.params, k) == 1);
                if (!shownByAPair)
                    return def.label;
                continue;
            }
            default:
                for (const std::string& w : def.widgets) {
                    if (form.text(w) != form.text(def.widgets.front()))
                        return w;
                }
                storeFieldText(read, k, form.text(def.widgets.front()));
                // A pass stores 1 strings per course for 0 (not a change).
                if (k == fields::STRINGS_PER_COURSE && read.stringsPerCourse == 0 &&
                    doc.params.stringsPerCourse == 1)
                    continue;
                if (!sameValue(fieldValue(read, k), fieldValue(doc.params, k)))
                    return def.label;
        }
    }
    return "";
}

// The form as a step of the history holds it: a pass's stored course size
// is no change.
FormState stepOf(const Document& doc) {
    FormState state = captureForm(doc);
    storeCourseDefault(state.params);
    return state;
}

struct RandomSession : SessionTest {
    // What the run expects of the history: the form of each step, the design
    // (by the order of its load) it belongs to and whether it was drawn; the
    // file of each design and its text as loaded.
    struct Step {
        FormState form;
        size_t design;
        bool drawn;
    };
    struct {
        std::vector<Step> steps;
        size_t at = 0;
        std::vector<std::string> files, loadedTexts;

        const Step& now() const { return steps[at]; }
        void add(const FormState& form, size_t design, bool drawn) {
            steps.resize(at + 1);
            steps.push_back({form, design, drawn});
            at = steps.size() - 1;
        }
    } expected;
    std::mt19937 rng;
    std::vector<std::string> pool;  // the files of the run's folder
    std::string savedOnTheWay;      // what the question about unsaved work saved

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    template <class T>
    const T& any(const std::vector<T>& v) {
        return v[below(static_cast<int>(v.size()))];
    }
    std::string newName() { return dir + "s" + std::to_string(below(6)); }

    // The text a user may type: numbers, fractions, blanks and mistakes.
    std::string anyText() {
        static const std::vector<std::string> odd = {" ", "",     "abc", "1 3/4", "-2",
                                                     "0", "1e39", "0/0", "3,5",   ".5"};
        if (below(3) == 0)
            return any(odd);
        return singleToText(static_cast<float>(below(4000)) / 100.0f);
    }
    const Control& anyControl(ControlKind kind, bool stepped = false) {
        std::vector<const Control*> found;
        for (const Control& c : controls()) {
            if (c.kind == kind && (!stepped || c.stepClass != StepClass::None))
                found.push_back(&c);
        }
        return *any(found);
    }
    // The question about unsaved work, answered at random; a save on the way
    // goes to the design's file or, without one, to a file of the folder.
    void scriptLeaving() {
        static const std::vector<SaveChoice> choices = {SaveChoice::Save, SaveChoice::Discard,
                                                        SaveChoice::Discard, SaveChoice::Cancel};
        dialogs.saveChoices = {any(choices)};
        dialogs.files.clear();
        savedOnTheWay.clear();
        if (!session.unsavedChanges() || dialogs.saveChoices.front() != SaveChoice::Save)
            return;
        savedOnTheWay = session.saveTarget();
        if (savedOnTheWay.empty()) {
            dialogs.files.push_back(newName());
            savedOnTheWay = dialogs.files.back() + ".bowlyn";
        }
    }
    size_t opensShown() const {
        return std::count(dialogs.modes.begin(), dialogs.modes.end(), FileDialogMode::Open);
    }

    // Runs one random action and updates the expected history with it.
    std::string act() {
        const size_t design = expected.now().design;
        bool loaded = false;
        std::string name;
        savedOnTheWay.clear();
        switch (below(14)) {
            case 0: {
                name = "open";
                scriptLeaving();
                dialogs.files.push_back(any(pool));
                const size_t opens = opensShown();
                SessionAction a(session);
                openCommand(session, dialogs);
                loaded = opensShown() > opens;
                break;
            }
            case 1:
            case 2: {
                const Control& c = anyControl(ControlKind::Entry);
                name = "edit " + c.widget;
                type(c.widget, anyText());
                break;
            }
            case 3: {
                const Control& c = anyControl(ControlKind::Entry, true);
                name = "stepper " + c.widget;
                step(c.widget.c_str(), below(2) ? StepDirection::Increase : StepDirection::Decrease,
                     below(2) == 0);
                break;
            }
            case 4: {
                const Control& c = anyControl(below(3) ? ControlKind::Radio : ControlKind::Check);
                name = "click " + c.widget;
                click(c.widget);
                break;
            }
            case 5:
                name = "units";
                units(below(2));
                break;
            case 6:
            case 7: {
                const int row = below(PRESET_ROWS);
                name = row == WORK_ROW ? "clear" : "preset " + presetName(row);
                scriptLeaving();
                loaded = load(row);
                break;
            }
            case 8: {
                name = "convert";
                parseTransPoints(doc, "0,0\n3,1\n6,4\n7,8\n6,14\n5,16\n6,19\n4,21\n0,22\n");
                scriptLeaving();
                SessionAction a(session);
                if (confirmLeaving(session, dialogs, Leaving::LoadingAnother)) {
                    convertTransPoints(doc);
                    session.loaded("");
                    loaded = true;
                }
                break;
            }
            case 9:
                name = "try it";
                tryIt();
                break;
            case 10: {
                name = "save";
                const std::string target = session.saveTarget();
                const bool saveAs = below(4) == 0;
                dialogs.files = {newName()};
                SessionAction a(session);
                if (saveCommand(session, dialogs,
                                saveAs ? SaveVariant::SaveAs : SaveVariant::Save)) {
                    savedOnTheWay = session.saveTarget();
                    // Without a question, under the name the title showed.
                    if (!saveAs && !target.empty() && savedOnTheWay != target)
                        return name + ": wrote '" + savedOnTheWay + "', the title said '" + target +
                               "'";
                    if (read(savedOnTheWay) != parameterFileText(doc))
                        return name + ": the file does not hold the form's design";
                }
                break;
            }
            case 11:
                name = "undo";
                if (session.undo() != (expected.at > 0))
                    return name + ": disagrees with the expected history";
                expected.at -= expected.at > 0 ? 1 : 0;
                return name;
            case 12:
                name = "redo";
                if (session.redo() != (expected.at + 1 < expected.steps.size()))
                    return name + ": disagrees with the expected history";
                expected.at += expected.at + 1 < expected.steps.size() ? 1 : 0;
                return name;
            case 13: {
                const int32_t units = below(2);
                name = units == UNITS_CM ? "convert to cm" : "convert to inches";
                const bool other = doc.params.units != units;
                if (session.convertUnits(units) != other)
                    return name + ": converted " + (other ? "nothing" : "to the unit it was in");
                break;
            }
        }
        if (!savedOnTheWay.empty()) {
            expected.files[design] = savedOnTheWay;
            addToPool(savedOnTheWay);
        }
        const FormState now = stepOf(doc);
        if (loaded) {
            expected.files.push_back(session.fileName());
            expected.loadedTexts.push_back(parameterFileText(doc));
            expected.add(now, expected.files.size() - 1, doc.passShown);
        } else if (now != expected.now().form) {
            expected.add(now, expected.now().design, doc.passShown);
        } else {
            expected.steps[expected.at].drawn = doc.passShown;
        }
        return name;
    }
    void addToPool(const std::string& f) {
        if (std::find(pool.begin(), pool.end(), f) == pool.end())
            pool.push_back(f);
    }

    // The checks after every step; "" when all hold.
    std::string check() {
        if (std::string where = formDisagreement(doc); !where.empty())
            return "stored values disagree with the form at " + where;
        const Step& step = expected.now();
        if (stepOf(doc) != step.form)
            return "the form is not the expected step's";
        const std::string& file = expected.files[step.design];
        if (session.fileName() != file)
            return "the design belongs to '" + session.fileName() + "', expected '" + file + "'";
        // The title names the file Save writes, with "*" while the form
        // differs from what that file holds (as written and as read back),
        // none while it is what was written; without a file, "*" exactly
        // while the form differs from the design as loaded.
        const std::string shown = parameterFileText(doc);
        bool unsaved = shown != expected.loadedTexts[step.design], saved = !unsaved;
        if (!file.empty()) {
            MemoryForm otherForm;
            Document other(otherForm);
            if (readParameterFile(other, file) != ReadResult::Loaded)
                return "cannot read " + file;
            saved = shown == read(file);
            unsaved = !saved && shown != parameterFileText(other);
        }
        const std::string name = file.empty() ? "Untitled" : file.substr(dir.size());
        const std::string title = windowTitle(session);
        if (title != name + " - Bowlyn" && title != name + "* - Bowlyn")
            return "title '" + title + "' names another file than '" + name + "'";
        if ((unsaved && title == name + " - Bowlyn") || (saved && title == name + "* - Bowlyn"))
            return "title '" + title + "' has the mark wrong";
        if (step.drawn != doc.passShown)
            return "the drawing is not as the step had it";
        return "";
    }
};

// Random sequences of everything a user does, undos and redos among them:
// after every step the stored values are what the form shows, the design
// belongs to the file it should, the title names the file Save writes, and a
// save writes exactly the form's design into it. BOWLYN_SESSION_STEPS sets
// the length (2000 by default).
TEST_F(RandomSession, FormFileAndTitleAgreeAfterEveryStep) {
    const unsigned seed = test::randomTestSeed();
    rng.seed(seed);
    const char* given = std::getenv("BOWLYN_SESSION_STEPS");
    const int steps = given && *given ? std::atoi(given) : 2000;
    for (const char* preset : {"Classical", "ABG 18'' w/ Venetian cutaway"}) {
        MemoryForm otherForm;
        Document other(otherForm);
        other.presets = builtInPresetTable();
        loadPreset(other, presetByName(preset));
        addToPool(dir + std::string(preset).substr(0, 3) + ".bowlyn");
        ASSERT_EQ(writeParameterFile(other, pool.back()), "");
    }
    expected.files = {""};
    expected.loadedTexts = {parameterFileText(doc)};
    expected.steps = {{stepOf(doc), 0, false}};

    std::vector<std::string> done;
    for (int i = 0; i < steps; ++i) {
        const std::string action = act();
        done.push_back(action);
        const std::string problem = action.find(": ") != std::string::npos ? action : check();
        if (!problem.empty()) {
            std::string last;
            for (size_t k = done.size() > 8 ? done.size() - 8 : 0; k < done.size(); ++k)
                last += "\n  " + done[k];
            FAIL() << "step " << i << " (seed " << seed << "): " << problem
                   << "\nthe last actions:" << last;
        }
    }
    // What the run did, by kind of action.
    std::map<std::string, int> kinds;
    for (const std::string& action : done)
        ++kinds[action.substr(0, action.find(' '))];
    std::cout << "[ session  ] " << steps << " steps:";
    for (const auto& [kind, count] : kinds)
        std::cout << " " << kind << " " << count;
    std::cout << std::endl;
}

}  // namespace
}  // namespace bowlyn
