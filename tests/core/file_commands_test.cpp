#include "commands/file_commands.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "commands/export_commands.h"
#include "formats/dxf_writer.h"
#include "geometry/pass_texts.h"
#include "model/parameter_file.h"
#include "model/presets.h"
#include "om_in_folder.h"
#include "render/drawing.h"
#include "test_document.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn {
namespace {

namespace fs = std::filesystem;

// Makes every write beyond a few bytes fail, as a full disk would.
class FullDisk {
  public:
    FullDisk() {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit tiny = old_;
        tiny.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_;
    void (*oldHandler_)(int);
};

class FileCommands : public testing::OmInFolder {
  protected:
    static void write(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    // A finished pass of the design's values whose drawing is `drawn`.
    void completeOutline(const std::function<void(Drawing&)>& drawn) {
        Drawing d;
        drawn(d);
        PassResult pass;
        pass.params = design.params;
        pass.strokes = d.strokes;
        session.showPass(pass);
    }
    // One that drew a line and an arc.
    void completeOutline() {
        completeOutline([](Drawing& d) {
            d.drawLine(styleOutline, -0.0f, 0, 1.5f, 20, Side::AsPassed, Layer::Body);
            d.drawArc(styleOutline, 0, 5, 3.25f, PI_SINGLE / 2, PI_SINGLE, Side::AsPassed,
                      Layer::Body);
        });
    }
};

TEST_F(FileCommands, SaveAsAsksAboutTheNameWithItsExtension) {
    write(dir + "design.bowlyn", "old");
    write(dir + "design", "unrelated");
    dialogs.files = {dir + "design", dir + "design"};
    dialogs.answers = {false, true};
    saveCommand(session, dialogs, SaveVariant::SaveAs);

    const std::string question = "ask: File '" + dir + "design.bowlyn' exists. Overwrite it?";
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"choose save in ''", question,
                                                     "choose save in '" + dir + "'", question}));
    EXPECT_EQ(dialogs.suggestedNames.front(), "OM.bowlyn");  // the design's name
    EXPECT_EQ(read(dir + "design.bowlyn"), parameterFileText(design));
    EXPECT_EQ(read(dir + "design"), "unrelated");
    EXPECT_EQ(session.fileName(), dir + "design.bowlyn");
    EXPECT_EQ(session.lastDirectory, dir);
}

TEST_F(FileCommands, SaveAsDoesNotAskAboutTheBareNameItWillNotWrite) {
    write(dir + "design", "unrelated");
    dialogs.files = {dir + "design"};
    saveCommand(session, dialogs, SaveVariant::SaveAs);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"choose save in ''"});
    EXPECT_EQ(read(dir + "design"), "unrelated");
    EXPECT_EQ(read(dir + "design.bowlyn"), parameterFileText(design));
}

TEST_F(FileCommands, DecliningOrCancellingWritesNothing) {
    write(dir + "design.bowlyn", "old");
    session.saved(dir + "earlier.bowlyn");
    dialogs.files = {dir + "design.bowlyn"};
    dialogs.answers = {false};
    saveCommand(session, dialogs, SaveVariant::Save);  // to the current file, no dialog
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(read(dir + "earlier.bowlyn"), parameterFileText(design));

    saveCommand(session, dialogs, SaveVariant::SaveAs);
    EXPECT_EQ(dialogs.log.size(), 3u);  // chooser, question (No), chooser (cancel)
    EXPECT_EQ(read(dir + "design.bowlyn"), "old");
    EXPECT_EQ(session.fileName(), dir + "earlier.bowlyn");
}

TEST_F(FileCommands, ExtensionsCompareExactly) {
    dialogs.files = {dir + "a.Bowlyn", dir + "b.BOWLYN", dir + "c.bowlyn"};
    for (int i = 0; i < 3; ++i)
        saveCommand(session, dialogs, SaveVariant::SaveAs);
    EXPECT_TRUE(fs::exists(dir + "a.Bowlyn.bowlyn"));
    EXPECT_TRUE(fs::exists(dir + "b.BOWLYN"));
    EXPECT_TRUE(fs::exists(dir + "c.bowlyn"));
    EXPECT_FALSE(fs::exists(dir + "c.bowlyn.bowlyn"));
}

TEST_F(FileCommands, SaveToTheCurrentFileAddsTheExtension) {
    write(dir + "design.txt", "old");
    session.saved(dir + "design.txt");
    EXPECT_TRUE(saveCommand(session, dialogs, SaveVariant::Save));
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(read(dir + "design.txt"), "old");
    EXPECT_EQ(read(dir + "design.txt.bowlyn"), parameterFileText(design));
    EXPECT_EQ(session.fileName(), dir + "design.txt.bowlyn");
    EXPECT_EQ(session.lastDirectory, dir);

    // Another design of that name is not replaced unasked: No chooses anew.
    write(dir + "other.bowlyn", "other design");
    session.saved(dir + "other");
    dialogs.answers = {false};
    dialogs.files = {dir + "chosen"};
    EXPECT_TRUE(saveCommand(session, dialogs, SaveVariant::Save));
    EXPECT_EQ(dialogs.log,
              (std::vector<std::string>{"ask: File '" + dir + "other.bowlyn' exists. Overwrite it?",
                                        "choose save in '" + dir + "'"}));
    EXPECT_EQ(read(dir + "other.bowlyn"), "other design");
    EXPECT_EQ(session.fileName(), dir + "chosen.bowlyn");

    loadTexts(design, presetTexts(presetByName("Dreadnought")));
    session.loaded("");  // a preset forgets the name: the next Save asks
    dialogs.log.clear();
    EXPECT_FALSE(saveCommand(session, dialogs, SaveVariant::Save));  // and is cancelled
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"choose save in '" + dir + "'"});
}

TEST_F(FileCommands, FailedSaveIsReportedAndKeepsTheOldFile) {
    session.saved(dir + "earlier.bowlyn");
    dialogs.files = {dir + "no-such-folder/design"};
    saveCommand(session, dialogs, SaveVariant::SaveAs);
    ASSERT_EQ(dialogs.log.size(), 2u);
    const std::string prefix = "error: Could not write '" + dir + "no-such-folder/design.bowlyn': ";
    EXPECT_EQ(dialogs.log[1].compare(0, prefix.size(), prefix), 0) << dialogs.log[1];
    EXPECT_GT(dialogs.log[1].size(), prefix.size());
    EXPECT_EQ(session.fileName(), dir + "earlier.bowlyn");

    const std::string old = parameterFileText(design) + "kept";
    write(dir + "earlier.bowlyn", old);
    dialogs.log.clear();
    {
        FullDisk full;
        saveCommand(session, dialogs, SaveVariant::Save);
    }
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].rfind("error: Could not write '" + dir + "earlier.bowlyn': ", 0), 0u);
    EXPECT_EQ(read(dir + "earlier.bowlyn"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // no temporary left
}

TEST_F(FileCommands, OpenRetriesUntilAParameterFileIsChosen) {
    Design other;
    loadTexts(other, presetTexts(presetByName("Soprano Uke")));
    ASSERT_EQ(writeParameterFile(other, dir + "uke.bowlyn"), "");
    ::chmod((dir + "uke.bowlyn").c_str(), 0444);  // read-only files open
    write(dir + "notes.txt", "Product,Bowlyn\r\nVersion, 0.8\r\n");
    fs::create_directory(dir + "folder.bowlyn");

    session.showStatus("Problem: earlier");
    const int blanks = display.blanks;
    dialogs.files = {dir + "missing.bowlyn", dir + "notes.txt", dir + "folder.bowlyn",
                     dir + "uke.bowlyn"};
    openCommand(session, dialogs);

    EXPECT_EQ(
        dialogs.log,
        (std::vector<std::string>{
            "choose open in ''", "error: File not found: '" + dir + "missing.bowlyn'",
            "choose open in '" + dir + "'",
            "error: File not a Bowlyn parameter file: '" + dir + "notes.txt'",
            "choose open in '" + dir + "'", "error: File not found: '" + dir + "folder.bowlyn'",
            "choose open in '" + dir + "'"}));
    EXPECT_EQ(design.text(fields::NAME), "Soprano Uke");
    EXPECT_EQ(session.fileName(), dir + "uke.bowlyn");
    EXPECT_EQ(status(), STATUS_OK);
    EXPECT_EQ(display.blanks, blanks + 1);  // no value, no drawing
    EXPECT_FALSE(session.complete());
}

TEST_F(FileCommands, CancelledOpenChangesNothing) {
    session.saved("kept.bowlyn");
    openCommand(session, dialogs);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"choose open in ''"});
    EXPECT_EQ(design.text(fields::NAME), "OM");
    EXPECT_EQ(session.fileName(), "kept.bowlyn");
}

TEST_F(FileCommands, FileExistsAndDirectoryPart) {
    write(dir + "f", "x");
    write(dir + ".hidden", "x");
    ::chmod((dir + "f").c_str(), 0);
    EXPECT_TRUE(fileExists(dir + "f"));  // whatever its permissions
    EXPECT_TRUE(fileExists(dir + ".hidden"));
    EXPECT_FALSE(fileExists(dir));
    EXPECT_FALSE(fileExists(dir + "g"));
    EXPECT_FALSE(fileExists(""));

    EXPECT_EQ(directoryPart("/home/me/design.bowlyn"), "/home/me/");
    EXPECT_EQ(directoryPart("design.bowlyn"), "");
    EXPECT_EQ(directoryPart("/"), "/");
    EXPECT_EQ(directoryPart("a/b/"), "a/b/");
    EXPECT_EQ(directoryPart(""), "");
    EXPECT_EQ(directoryPart("c:\\x\\y"), "");  // "/" is the only separator here
}

TEST_F(FileCommands, ExportRefusesWithoutACompleteOutline) {
    exportDxf(session, dialogs);  // just loaded: outlineComplete is 0
    const std::vector<std::string> refusal = {
        "error: A complete body outline must be successfully generated before it can be "
        "exported as .dxf."};
    EXPECT_EQ(dialogs.log, refusal);

    completeOutline();
    PassResult stopped = last();  // a later pass started drawing and stopped
    stopped.problem = problemOf(Check::OutOfRange);
    session.showPass(stopped);
    dialogs.log.clear();
    exportDxf(session, dialogs);
    EXPECT_EQ(dialogs.log, refusal);
}

TEST_F(FileCommands, ExportAsksAboutTheNameWithItsExtension) {
    completeOutline();
    write(dir + "outline.dxf", "old");
    dialogs.files = {dir + "outline", dir + "outline"};
    dialogs.answers = {false, true};
    exportDxf(session, dialogs);
    const std::string question = "ask: File '" + dir + "outline.dxf' exists. Overwrite it?";
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"choose export in ''", question,
                                                     "choose export in '" + dir + "'", question}));
    EXPECT_EQ(read(dir + "outline.dxf"), plainDxfText(last().strokes).value());
    EXPECT_NE(read(dir + "outline.dxf").find(" 10\r\n-0\r\n"), std::string::npos);

    // The same list can be exported again; odd-case extensions get ".dxf".
    dialogs.files = {dir + "o.Dxf", dir + "p.DXF"};
    exportDxf(session, dialogs);
    exportDxf(session, dialogs);
    EXPECT_TRUE(fs::exists(dir + "o.Dxf.dxf"));
    EXPECT_TRUE(fs::exists(dir + "p.DXF"));
    EXPECT_TRUE(session.complete());
}

TEST_F(FileCommands, CancelledExportForgetsTheFolder) {
    completeOutline();
    session.lastDirectory = dir;
    exportDxf(session, dialogs);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"choose export in '" + dir + "'"});
    EXPECT_EQ(session.lastDirectory, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 0);
}

TEST_F(FileCommands, ExportFailuresAreReported) {
    completeOutline();
    write(dir + "outline.dxf", "old outline that must survive");
    dialogs.files = {dir + "outline.dxf"};
    dialogs.answers = {true};
    {
        FullDisk full;
        exportDxf(session, dialogs);
    }
    ASSERT_EQ(dialogs.log.size(), 3u);
    EXPECT_EQ(dialogs.log[2].rfind("error: Could not write '" + dir + "outline.dxf': ", 0), 0u);
    EXPECT_EQ(read(dir + "outline.dxf"), "old outline that must survive");

    // A value that is not a number is refused before any file is chosen.
    completeOutline([](Drawing& d) {
        d.drawCircle(styleOutline, 0, 0, std::numeric_limits<float>::infinity(), Side::AsPassed,
                     Layer::Body);
    });
    dialogs.log.clear();
    exportDxf(session, dialogs);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{
                               "error: The outline holds a value that cannot be written to a "
                               ".dxf file."});
}

}  // namespace
}  // namespace bowlyn
