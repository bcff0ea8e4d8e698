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
#include "model_test_support.h"
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
    void step(int field, StepDirection d, bool draw = false) {
        SessionAction click(session);
        ASSERT_TRUE(applyStepper(design, steppedEntry(field), d));
        if (draw)
            pass();
    }
    void type(int field, const std::string& text) {
        SessionAction leave(session);
        commitText(design, field, text);
    }
    void choose(size_t pair, int value) {
        SessionAction click(session);
        chooseInPair(design, pair, value);
    }
    void toggle(int field) {
        SessionAction click(session);
        setSwitch(design, field, fieldValue(design.params, field) != 1);
    }
    void units(int index) {
        SessionAction choose(session);
        setUnits(design, index);
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
        session.load(presetTexts(row), "");
        return true;
    }
};

TEST_F(SessionTest, UndoAndRedoPutBackTextsValuesAndChoices) {
    using namespace fields;
    const Design loaded = design;
    const float width = design.params.lowerBoutHalfWidth;
    const int designsShown = display.designsShown;
    step(LOWER_BOUT_WIDTH, StepDirection::Increase);
    choose(choicePair(CUTAWAY_TYPE), CUTAWAYTYPEVENETIAN);
    type(BODY_LENGTH, "21.5");
    units(1);
    const Design changed = design;

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(session.undo()) << i;
    EXPECT_FALSE(session.undo());
    EXPECT_EQ(design, loaded);
    EXPECT_EQ(design.params.lowerBoutHalfWidth, width);
    EXPECT_EQ(design.shownChoices[choicePair(CUTAWAY_TYPE)], CUTAWAYTYPEFLORENTINE);
    EXPECT_EQ(design.params.units, UNITS_INCH);
    EXPECT_FALSE(session.unsavedChanges());

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(session.redo()) << i;
    EXPECT_FALSE(session.redo());
    EXPECT_EQ(design, changed);
    EXPECT_EQ(design.params.bodyLength, 21.5f);
    EXPECT_EQ(design.params.units, UNITS_CM);
    EXPECT_GE(display.designsShown, designsShown + 12);  // the form follows every step

    // An action that changes nothing is no step; a new change forgets what
    // could have been redone.
    ASSERT_TRUE(session.undo());
    type(BODY_LENGTH, design.text(BODY_LENGTH));
    EXPECT_TRUE(session.canRedo());
    step(LOWER_BOUT_WIDTH, StepDirection::Decrease);
    EXPECT_FALSE(session.canRedo());
}

// A value typed and not yet committed when Undo is chosen is the change it
// takes back, not the one before.
TEST_F(SessionTest, AChangeNotYetRememberedIsTheOneUndone) {
    using namespace fields;
    step(LOWER_BOUT_WIDTH, StepDirection::Increase);
    const std::string stepped = design.text(LOWER_BOUT_WIDTH);
    commitText(design, BODY_LENGTH, "30");  // outside any action
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(design.text(LOWER_BOUT_WIDTH), stepped);
    EXPECT_NE(design.text(BODY_LENGTH), "30");
}

TEST_F(SessionTest, KeepsTheLatestChanges) {
    const int changes = static_cast<int>(Session::UNDO_DEPTH) + 50;
    for (int i = 1; i <= changes; ++i)
        type(fields::SOUND_HOLE_OFFSET, std::to_string(i));
    int steps = 0;
    while (session.undo())
        ++steps;
    EXPECT_EQ(steps, static_cast<int>(Session::UNDO_DEPTH));
    EXPECT_EQ(design.text(fields::SOUND_HOLE_OFFSET), "50");
    while (session.redo())
        ;
    EXPECT_EQ(design.text(fields::SOUND_HOLE_OFFSET), std::to_string(changes));
}

TEST_F(SessionTest, UndoShowsTheDrawingOfAStateThatHadOne) {
    using fields::LOWER_BOUT_WIDTH;
    step(LOWER_BOUT_WIDTH, StepDirection::Decrease);
    const int before = display.drawingsShown();
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(display.drawingsShown(), before);  // the blank of the load stays

    tryIt();  // draws the current step, which stays one step
    const std::string drawnWith = design.text(LOWER_BOUT_WIDTH);
    step(LOWER_BOUT_WIDTH, StepDirection::Decrease, true);
    const int shown = display.drawingsShown();
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(display.drawingsShown(), shown + 1);
    EXPECT_EQ(design.text(LOWER_BOUT_WIDTH), drawnWith);
    EXPECT_EQ(last().params.lowerBoutHalfWidth * 2, std::stof(drawnWith));
    EXPECT_FALSE(session.undo());  // Try it was no step of its own

    // Clear, then Undo: the OM drawn again, saved as it was.
    ASSERT_TRUE(load(CLEAR_ROW));
    EXPECT_FALSE(session.passShown());
    ASSERT_TRUE(session.undo());
    EXPECT_TRUE(session.passShown());
    EXPECT_TRUE(session.complete());
    EXPECT_EQ(windowTitle(session), "Untitled - Bowlyn");
}

// A conversion is one step: undone, the numbers and the unit come back, and
// a zoomed view shows the same part of the body at the same size throughout.
TEST_F(SessionTest, ConvertingTheUnitIsOneStepAndTheViewStaysOnTheBody) {
    tryIt();
    const Design inches = design;
    session.view.setFitted(session.fittedView());
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
    EXPECT_EQ(design.text(fields::BODY_LENGTH), "49.276");
    EXPECT_EQ(last().params.units, UNITS_CM);  // drawn again
    seen(CM_PER_INCH);
    EXPECT_FALSE(session.convertUnits(UNITS_CM));

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(design, inches);
    EXPECT_FALSE(session.canUndo());
    seen(1.0);
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(design.params.units, UNITS_CM);
    seen(CM_PER_INCH);
}

// ---------------------------------------------------------------------------
// Random sessions.

// Where the stored values disagree with the texts and choices the form
// shows, or "".
std::string formDisagreement(const Design& design) {
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        DesignParameters read{};
        if (def.kind == FieldKind::Choice) {
            // A later pair of buttons may show its own choice; the value
            // is one that a pair shows.
            bool shownByAPair = false;
            for (size_t p = 0; p < choicePairs().size(); ++p) {
                shownByAPair |= choicePairs()[p].field == k &&
                                design.shownChoices[p] == fieldValue(design.params, k);
            }
            if (!shownByAPair)
                return def.label;
        } else if (isEntryField(k)) {
            storeFieldText(read, k, design.text(k));
            if (!sameValue(fieldValue(read, k), fieldValue(design.params, k)))
                return def.label;
        } else if (def.kind != FieldKind::Text && !design.text(k).empty()) {
            return def.label;  // a switch keeps no text
        }
    }
    return "";
}

struct RandomSession : SessionTest {
    // What the run expects of the history: the form of each step, the design
    // (by the order of its load) it belongs to and whether it was drawn; the
    // file of each design and its text as loaded.
    struct Step {
        Design form;
        size_t design;
        bool drawn;
    };
    struct {
        std::vector<Step> steps;
        size_t at = 0;
        std::vector<std::string> files, loadedTexts;

        const Step& now() const { return steps[at]; }
        void add(const Design& form, size_t design, bool drawn) {
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
        const size_t designIndex = expected.now().design;
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
                name = "edit " + std::string(field(c.field).label);
                type(c.field, anyText());
                break;
            }
            case 3: {
                const Control& c = anyControl(ControlKind::Entry, true);
                name = "stepper " + std::string(field(c.field).label);
                SessionAction click(session);
                applyStepper(design, c,
                             below(2) ? StepDirection::Increase : StepDirection::Decrease);
                if (below(2) == 0)
                    pass();
                break;
            }
            case 4: {
                const Control& c = anyControl(below(3) ? ControlKind::Radio : ControlKind::Check);
                name = "click " + std::string(field(c.field).label);
                if (c.kind == ControlKind::Radio)
                    choose(c.pair, c.value);
                else
                    toggle(c.field);
                break;
            }
            case 5:
                name = "units";
                units(below(2));
                break;
            case 6:
            case 7: {
                const int row = below(PRESET_ROWS);
                name = row == CLEAR_ROW ? "clear" : "preset " + presetName(row);
                scriptLeaving();
                loaded = load(row);
                break;
            }
            case 8: {
                name = "convert";
                parseTransPoints(overlays, "0,0\n3,1\n6,4\n7,8\n6,14\n5,16\n6,19\n4,21\n0,22\n");
                scriptLeaving();
                SessionAction a(session);
                if (confirmLeaving(session, dialogs, Leaving::LoadingAnother)) {
                    session.load(*convertTransPoints(overlays), "");
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
                    if (read(savedOnTheWay) != parameterFileText(design))
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
                const DesignUnits units = below(2) == 1 ? UNITS_CM : UNITS_INCH;
                name = units == UNITS_CM ? "convert to cm" : "convert to inches";
                const bool other = design.params.units != units;
                if (session.convertUnits(units) != other)
                    return name + ": converted " + (other ? "nothing" : "to the unit it was in");
                break;
            }
        }
        if (!savedOnTheWay.empty()) {
            expected.files[designIndex] = savedOnTheWay;
            addToPool(savedOnTheWay);
        }
        const Design now = design;
        if (loaded) {
            expected.files.push_back(session.fileName());
            expected.loadedTexts.push_back(parameterFileText(design));
            expected.add(now, expected.files.size() - 1, session.passShown());
        } else if (now != expected.now().form) {
            expected.add(now, expected.now().design, session.passShown());
        } else {
            expected.steps[expected.at].drawn = session.passShown();
        }
        return name;
    }
    void addToPool(const std::string& f) {
        if (std::find(pool.begin(), pool.end(), f) == pool.end())
            pool.push_back(f);
    }

    // The checks after every step; "" when all hold.
    std::string check() {
        if (std::string where = formDisagreement(design); !where.empty())
            return "stored values disagree with the form at " + where;
        const Step& step = expected.now();
        if (design != step.form)
            return "the form is not the expected step's";
        const std::string& file = expected.files[step.design];
        if (session.fileName() != file)
            return "the design belongs to '" + session.fileName() + "', expected '" + file + "'";
        // The title names the file Save writes, with "*" while the form
        // differs from what that file holds (as written and as read back),
        // none while it is what was written; without a file, "*" exactly
        // while the form differs from the design as loaded.
        const std::string shown = parameterFileText(design);
        bool unsaved = shown != expected.loadedTexts[step.design], saved = !unsaved;
        if (!file.empty()) {
            Design other;
            FieldTexts texts;
            if (readParameterFile(file, texts) != ReadResult::Loaded)
                return "cannot read " + file;
            loadTexts(other, texts);
            saved = shown == read(file);
            unsaved = !saved && shown != parameterFileText(other);
        }
        const std::string name = file.empty() ? "Untitled" : file.substr(dir.size());
        const std::string title = windowTitle(session);
        if (title != name + " - Bowlyn" && title != name + "* - Bowlyn")
            return "title '" + title + "' names another file than '" + name + "'";
        if ((unsaved && title == name + " - Bowlyn") || (saved && title == name + "* - Bowlyn"))
            return "title '" + title + "' has the mark wrong";
        if (step.drawn != session.passShown())
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
        Design other;
        loadTexts(other, presetTexts(presetByName(preset)));
        addToPool(dir + std::string(preset).substr(0, 3) + ".bowlyn");
        ASSERT_EQ(writeParameterFile(other, pool.back()), "");
    }
    expected.files = {""};
    expected.loadedTexts = {parameterFileText(design)};
    expected.steps = {{design, 0, false}};

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
