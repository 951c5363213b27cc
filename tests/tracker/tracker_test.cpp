#include "tracker/tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/simulated_desktop.h"
#include "platform/code_page.h"

namespace perch {
namespace {

using test::Query;
using test::SimulatedDesktop;
using Titles = std::vector<std::string>;

constexpr std::uint32_t kBoardProcess = 7;
constexpr std::uint32_t kAppProcess = 100;
constexpr std::uint32_t kOtherProcess = 200;

// The board's frame and view on a simulated desktop, with a tracker over them.
class TrackerTest : public ::testing::Test {
  protected:
    TrackerTest() {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", kBoardProcess, {700, 0, 900, 200});
        view = desk.CreateChild(frame, "", "PerchView");
        tracker.SetBoardWindows(view, frame);
    }

    // Makes the app the foreground and scans it into the current list.
    void WatchAndScan(WindowHandle appFrame) {
        desk.SetForeground(appFrame);
        ASSERT_TRUE(tracker.CheckForeground());
        tracker.ScanDocuments();
        tracker.FlipLists();
        tracker.RebuildDisplayList();
    }

    SimulatedDesktop desk;
    Settings settings;
    WindowHandle frame = kNoWindow;
    WindowHandle view = kNoWindow;
    Tracker tracker{desk, settings, Utf8Text()};
};

TEST_F(TrackerTest, MdiMainWindowIsWatched) {
    const auto app = desk.CreateMdiApp("Spreadsheet - Book1", kAppProcess, {"Book1", "Book2"});
    desk.SetForeground(app.frame);
    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().mdiClient, app.client);
    EXPECT_EQ(tracker.App().matchState, 1);
    EXPECT_EQ(tracker.App().appName, "Spreadsheet");
    EXPECT_EQ(tracker.App().processId, kAppProcess);
    // Still state 1 on the next check: the main window itself is in front.
    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().matchState, 1);
}

TEST_F(TrackerTest, NonMdiWindowOfNewProcessIsRememberedThenHeld) {
    const WindowHandle editor = desk.CreateTopLevel("NOTES.TXT - Editor", "Edit", kOtherProcess);
    desk.SetForeground(editor);
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().processId, kOtherProcess);
    EXPECT_EQ(tracker.App().matchState, 1);
    EXPECT_EQ(tracker.App().mdiClient, kNoWindow);

    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().matchState, 2);
}

TEST_F(TrackerTest, OwnedDialogOfWatchedAppHolds) {
    const auto app = desk.CreateMdiApp("Editor - Letter.doc", kAppProcess, {"Letter.doc"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    const WindowHandle dialog = desk.CreatePopup(app.frame, "Save As");
    desk.SetForeground(dialog);
    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().matchState, 2);
    EXPECT_EQ(tracker.App().processId, kAppProcess);
    EXPECT_EQ(tracker.App().mdiClient, app.client);  // the dialog does not drop the client

    // Another process's dialog is not the watched application.
    const WindowHandle other = desk.CreateTopLevel("Other", "Other", kOtherProcess);
    desk.SetForeground(desk.CreatePopup(other, "Find"));
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().processId, kOtherProcess);
}

TEST_F(TrackerTest, BoardAndMissingForeground) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());

    // No foreground: nothing changes, and the tick goes on.
    desk.SetForeground(kNoWindow);
    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().processId, kAppProcess);

    desk.SetForeground(frame);
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().processId, 0u);
}

TEST_F(TrackerTest, ProgramManagerIsExcludedByDefault) {
    const auto shell = desk.CreateMdiApp("Program Manager", kOtherProcess, {"Main", "Accessories"});
    desk.SetForeground(shell.frame);
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().processId, 0u);
    EXPECT_EQ(tracker.App().mdiClient, kNoWindow);

    settings.ExcludedApps.clear();
    EXPECT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().mdiClient, shell.client);
}

TEST_F(TrackerTest, ExclusionListParsing) {
    struct Case {
        const char* list;
        const char* title;
        bool excluded;
    };
    const Case cases[] = {
        {"Word||||Excel", "Microsoft Word - A.DOC", true},
        {"Word||||Excel", "Microsoft Excel - Book1", false},  // the empty entry ends the list
        {"Word|| Excel||Paint", "Paint", false},              // so does a space-led entry
        {"Word|| Excel", " Excel", false},
        {"Word||", "Excel", false},  // a trailing separator adds nothing
        {"Word||", "WordPad", true},
        {"program manager", "Program Manager", false},  // case-sensitive
        {"", "Program Manager", false},
        {"Word||Excel", "Excel", true},
        {"Word||Excel", "Exce", false},
        {"Word|Excel", "Excel", false},  // one bar is part of the entry
        {" Word", "Word", false},
        // Entries in any script match as they are written.
        {"\xD0\xA0\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBA\xD1\x82\xD0\xBE\xD1\x80||Word",
         "\xD0\xA0\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBA\xD1\x82\xD0\xBE\xD1\x80 - [a.txt]", true},  // Редактор
        {"Word||\xE7\xB7\xA8\xE9\x9B\x86", "\xE7\xB7\xA8\xE9\x9B\x86\xE5\x99\xA8", true},      // 編集 in 編集器
        {"\xD0\xA0\xD0\xB5\xD0\xB4", "\xD1\x80\xD0\xB5\xD0\xB4", false},  // Ред, ред: case-sensitive
    };
    for (const Case& c : cases) {
        settings.ExcludedApps = c.list;
        EXPECT_EQ(tracker.IsExcluded(c.title), c.excluded)
            << "list '" << c.list << "' title '" << c.title << "'";
    }
}

TEST_F(TrackerTest, MdiClientClassNames) {
    EXPECT_TRUE(IsMdiClientClass("MDICLIENT"));
    EXPECT_TRUE(IsMdiClientClass("MDIClient"));
    EXPECT_TRUE(IsMdiClientClass("XLDesk"));
    EXPECT_TRUE(IsMdiClientClass("OpusDesk"));
    EXPECT_TRUE(IsMdiClientClass("123WMDIClient"));
    EXPECT_FALSE(IsMdiClientClass("MDIClient2"));
    EXPECT_FALSE(IsMdiClientClass("MDIClien"));
    EXPECT_FALSE(IsMdiClientClass(""));

    // Found deep in the tree; a long class name is read through 32 bytes and never matches.
    const WindowHandle main = desk.CreateTopLevel("Book - Sheet", "XLMAIN", kAppProcess);
    const WindowHandle pane = desk.CreateChild(main, "", "Pane");
    desk.CreateChild(pane, "", "MDIClient2");
    desk.CreateChild(pane, "", "MDIClient" + std::string(40, 'x'));
    EXPECT_EQ(tracker.FindMdiClient(main), kNoWindow);
    const WindowHandle client = desk.CreateChild(pane, "", "XLDesk");
    desk.CreateChild(main, "", "mdiclient");  // later in enumeration order
    EXPECT_EQ(tracker.FindMdiClient(main), client);
    EXPECT_EQ(tracker.FindMdiClient(kNoWindow), kNoWindow);
}

TEST_F(TrackerTest, ScanCleansSortsAndSkips) {
    const auto app = desk.CreateMdiApp(
        "Editor", kAppProcess, {"2> zeta.txt", "  Alpha.doc", "hidden.txt", "", "C:\\X\\beta.txt"});
    desk.Hide(app.documents[2]);
    desk.Minimize(app.documents[4]);  // minimized documents still count
    WatchAndScan(app.frame);
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"Alpha.doc", "C:\\X\\beta.txt", "zeta.txt"}));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"Alpha.doc", "beta.txt", "zeta.txt"}));
    ASSERT_EQ(tracker.WindowCount(), 3u);
    EXPECT_EQ(tracker.GetTrackedWindow(1).title, "C:\\X\\beta.txt");
    EXPECT_EQ(tracker.GetTrackedWindow(1).displayText, "beta.txt");
    EXPECT_TRUE(tracker.ScratchTitles().empty());
}

// Every tick scans the same documents again; each scan must still be sorted for what it
// read: the order of the windows, their titles and the Sort option.
TEST_F(TrackerTest, EveryScanIsSortedForWhatItRead) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess,
                                       {"C:\\b\\Zeta.doc", "C:\\a\\Alpha.txt", "Mid.c"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    const Titles byName{"C:\\a\\Alpha.txt", "Mid.c", "C:\\b\\Zeta.doc"};
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), byName);
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), byName);

    desk.Raise(app.documents[2]);  // another document activated: the same list
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), byName);

    settings.Sort = kSortFileType;
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"Mid.c", "C:\\b\\Zeta.doc", "C:\\a\\Alpha.txt"}));
    settings.Sort = kSortFullTitle;
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"C:\\a\\Alpha.txt", "C:\\b\\Zeta.doc", "Mid.c"}));

    desk.SetTitle(app.documents[1], "B.txt");  // retitled, in the same place
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"B.txt", "C:\\b\\Zeta.doc", "Mid.c"}));
    desk.Hide(app.documents[1]);
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"C:\\b\\Zeta.doc", "Mid.c"}));
    desk.Show(app.documents[1]);
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"B.txt", "C:\\b\\Zeta.doc", "Mid.c"}));
}

TEST_F(TrackerTest, MdiClientWithTextScansEmpty) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    desk.SetTitle(app.client, "not a client");
    tracker.ScanDocuments();
    EXPECT_TRUE(tracker.ScratchTitles().empty());

    // A hidden client hides every document, though each keeps its own visible style;
    // shown again, the walk reads each document's style once and asks nothing else about
    // visibility.
    desk.SetTitle(app.client, "");
    desk.Hide(app.client);
    tracker.ScanDocuments();
    EXPECT_TRUE(tracker.ScratchTitles().empty());
    desk.Show(app.client);
    desk.ResetQueryCounts();
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"A", "B"}));
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowStyle), 2);
    EXPECT_EQ(desk.QueryCount(Query::kIsWindowVisible), 1);

    // A client that vanished scans empty as well.
    desk.Destroy(app.frame);
    tracker.ScanDocuments();
    EXPECT_TRUE(tracker.ScratchTitles().empty());
}

TEST_F(TrackerTest, WindowsDestroyedDuringTheScanAreLeftOut) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B", "C", "D"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    desk.ResetQueryCounts();
    // B closes while it is looked at, D before the walk reaches it.
    desk.OnNthQuery(Query::kGetWindowStyle, 2, [&] { desk.Destroy(app.documents[1]); });
    desk.OnNthQuery(Query::kGetWindowStyle, 3, [&] { desk.Destroy(app.documents[3]); });
    tracker.ScanDocuments();
    EXPECT_EQ(tracker.ScratchTitles(), (Titles{"A", "C"}));

    // The whole application goes away while its known MDI client is checked again.
    desk.ResetQueryCounts();
    desk.OnNthQuery(Query::kGetContainer, 1, [&] { desk.Destroy(app.frame); });
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().mdiClient, kNoWindow);
    tracker.ScanDocuments();
    EXPECT_TRUE(tracker.ScratchTitles().empty());

    // A new application goes away inside the search for its MDI client.
    const auto other = desk.CreateMdiApp("Other", kAppProcess + 1, {"X"});
    desk.SetForeground(other.frame);
    desk.ResetQueryCounts();
    desk.OnNthQuery(Query::kGetClassName, 1, [&] { desk.Destroy(other.frame); });
    EXPECT_FALSE(tracker.CheckForeground());
    EXPECT_EQ(tracker.App().mdiClient, kNoWindow);
    tracker.ScanDocuments();
    EXPECT_TRUE(tracker.ScratchTitles().empty());
}

TEST_F(TrackerTest, TheSameApplicationInFrontIsNotSearchedAgain) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    desk.ResetQueryCounts();
    ASSERT_TRUE(tracker.CheckForeground());
    // Known in front: nothing but the window in front, its title and its client's place.
    EXPECT_EQ(desk.QueryCount(Query::kEnumChildWindows), 0);
    EXPECT_EQ(desk.QueryCount(Query::kGetWindowProcessId), 0);
    EXPECT_EQ(desk.QueryCount(Query::kGetParent), 0);
    EXPECT_EQ(desk.QueryCount(Query::kGetContainer), 1);
    EXPECT_EQ(tracker.App().mdiClient, app.client);
    EXPECT_EQ(tracker.LastWatched().frame, app.frame);
    EXPECT_EQ(tracker.LastWatched().client, app.client);
    EXPECT_EQ(tracker.LastWatched().processId, kAppProcess);
    EXPECT_EQ(tracker.App().processId, kAppProcess);

    // Its MDI client replaced by another: found again by a search.
    desk.Destroy(app.client);
    const WindowHandle client = desk.CreateChild(app.frame, "", "MDIClient", {0, 0, 500, 400},
                                                 kWsVisible);
    desk.ResetQueryCounts();
    ASSERT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(desk.QueryCount(Query::kEnumChildWindows), 1);
    EXPECT_EQ(tracker.App().mdiClient, client);

    // Another window in front and back again: searched once more.
    const WindowHandle plain = desk.CreateTopLevel("Notes", "Plain", kAppProcess + 1, {0, 0, 50, 50});
    desk.SetForeground(plain);
    tracker.CheckForeground();
    EXPECT_EQ(tracker.LastWatched().client, kNoWindow);
    desk.SetForeground(app.frame);
    desk.ResetQueryCounts();
    ASSERT_TRUE(tracker.CheckForeground());
    EXPECT_EQ(desk.QueryCount(Query::kEnumChildWindows), 1);
}

TEST_F(TrackerTest, DuplicateTitlesAndCaseOnlyDifferences) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"Memo.txt", "Memo.txt", "Book"});
    WatchAndScan(app.frame);
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"Book", "Memo.txt", "Memo.txt"}));
    // Both entries lead to the first window in enumeration order.
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "Memo.txt"), app.documents[0]);

    EXPECT_EQ(tracker.IndexOfTitle("MEMO.TXT"), 1);
    EXPECT_EQ(tracker.IndexOfTitle("book"), 0);
    EXPECT_EQ(tracker.IndexOfTitle("Memo"), -1);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "BOOK"), app.documents[2]);
}

// IndexOfTitle answers from an index of the current list; it must follow every change
// of that list and give what a pass over the list would give.
TEST_F(TrackerTest, IndexOfTitleFollowsTheCurrentList) {
    const auto app =
        desk.CreateMdiApp("Editor", kAppProcess, {"memo.TXT", "Memo.txt", "Book", "b.doc"});
    WatchAndScan(app.frame);
    ASSERT_EQ(tracker.CurrentTitles(), (Titles{"b.doc", "Book", "memo.TXT", "Memo.txt"}));
    // Titles equal but for letter case answer with the first of them, spelled either way.
    EXPECT_EQ(tracker.IndexOfTitle("Memo.txt"), 2);
    EXPECT_EQ(tracker.IndexOfTitle("memo.TXT"), 2);
    EXPECT_EQ(tracker.IndexOfTitle("BOOK"), 1);

    // A new scan made current: the index is of the new list.
    desk.Destroy(app.documents[2]);
    desk.SetTitle(app.documents[3], "Zebra.doc");
    tracker.ScanDocuments();
    tracker.FlipLists();
    EXPECT_EQ(tracker.IndexOfTitle("book"), -1);
    EXPECT_EQ(tracker.IndexOfTitle("memo.txt"), 0);
    EXPECT_EQ(tracker.IndexOfTitle("ZEBRA.DOC"), 2);

    // Another sort order re-sorts the list in place.
    settings.Sort = kSortFileType;
    tracker.RebuildDisplayList();
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"Zebra.doc", "memo.TXT", "Memo.txt"}));
    EXPECT_EQ(tracker.IndexOfTitle("zebra.doc"), 0);
    EXPECT_EQ(tracker.IndexOfTitle("Memo.txt"), 1);

    tracker.ClearTitleLists();
    EXPECT_EQ(tracker.IndexOfTitle("Zebra.doc"), -1);
}

// Greek, Cyrillic and full-width letters fold as whole characters; titles that read
// the same in a code page without them ("??.txt") stay apart.
TEST(TrackerIndexTest, TitlesInAnyScriptFoldAsWholeCharacters) {
    test::SimulatedDesktop desk;
    Settings settings;
    Tracker tracker{desk, settings, Utf8Text()};
    const auto app = desk.CreateMdiApp(
        "Editor", kAppProcess,
        {"\xE6\x9D\xB1\xE4\xBA\xAC.txt",            // 東京.txt
         "\xE5\xA4\xA7\xE9\x98\xAA.txt",            // 大阪.txt
         "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.doc",  // Москва.doc
         "\xCE\xA9mega.txt",                          // Ωmega.txt
         "\xEF\xBC\xA1.txt"});                       // full-width A
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    tracker.ScanDocuments();
    tracker.FlipLists();
    tracker.RebuildDisplayList();
    ASSERT_EQ(tracker.CurrentTitles().size(), 5u);
    const int tokyo = tracker.IndexOfTitle("\xE6\x9D\xB1\xE4\xBA\xAC.txt");
    const int osaka = tracker.IndexOfTitle("\xE5\xA4\xA7\xE9\x98\xAA.TXT");
    ASSERT_GE(tokyo, 0);
    ASSERT_GE(osaka, 0);
    EXPECT_NE(tokyo, osaka);
    // МОСКВА.DOC and москва.doc name the same document.
    const int moscow = tracker.IndexOfTitle("\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90.DOC");
    ASSERT_GE(moscow, 0);
    EXPECT_EQ(tracker.IndexOfTitle("\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.doc"), moscow);
    EXPECT_EQ(tracker.IndexOfTitle("\xCF\x89MEGA.TXT"), tracker.IndexOfTitle("\xCE\xA9mega.txt"));  // ω
    EXPECT_GE(tracker.IndexOfTitle("\xCF\x89MEGA.TXT"), 0);
    EXPECT_GE(tracker.IndexOfTitle("\xEF\xBD\x81.txt"), 0);  // full-width a
    EXPECT_EQ(tracker.IndexOfTitle("??.txt"), -1);
    // The activation search finds each by its own title, in any case.
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "\xE5\xA4\xA7\xE9\x98\xAA.txt"), app.documents[1]);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.DOC"),
              app.documents[2]);
}

TEST_F(TrackerTest, SuffixPassFindsPrefixedTitles) {
    const auto app = desk.CreateMdiApp("Spreadsheet", kAppProcess,
                                       {"Notes Notes", "Budget.xls (old)", "3> Budget.xls", "x"});
    WatchAndScan(app.frame);
    EXPECT_EQ(tracker.IndexOfTitle("Budget.xls"), 0);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "budget.XLS"), app.documents[2]);
    // "Notes" occurs first at the start of "Notes Notes", which is not its end.
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "Notes"), kNoWindow);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "otes Notes"), app.documents[0]);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, "Budget"), kNoWindow);
    // An empty title finds nothing, not even a window without a title.
    desk.CreateChild(app.client, "", "Static");
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, ""), kNoWindow);
}

TEST_F(TrackerTest, FindDocumentWindowByAppName) {
    desk.CreateTopLevel("NOTES.TXT - Editor", "Edit", kOtherProcess);
    const auto app = desk.CreateMdiApp("Spreadsheet - Book1", kAppProcess, {"Book1", "Book2"});
    const WindowHandle top = desk.CreateTopLevel("Untitled - Paint", "Paint", 300);
    WatchAndScan(app.frame);
    desk.Raise(top);  // the search walks past windows of other names

    EXPECT_EQ(tracker.FindAppWindow(), app.frame);
    const DocumentWindowSearch found = tracker.FindDocumentWindow("Book2");
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.document, app.documents[1]);
    EXPECT_EQ(found.app, app.frame);
    EXPECT_FALSE(tracker.FindDocumentWindow("Book3").found);

    // An empty name matches the first top-level window in z-order.
    tracker.App().appName.clear();
    EXPECT_EQ(tracker.FindAppWindow(), top);
    tracker.App().appName = "Nothing";
    EXPECT_EQ(tracker.FindAppWindow(), kNoWindow);
    EXPECT_FALSE(tracker.FindDocumentWindow("Book1").found);
}

TEST_F(TrackerTest, ActiveDocumentIsTopmostChildOfForegroundClient) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"A", "B"});
    EXPECT_EQ(tracker.GetActiveDocument(), kNoWindow);
    desk.SetForeground(app.frame);
    EXPECT_EQ(tracker.GetActiveDocument(), app.documents[0]);
    desk.Raise(app.documents[1]);
    EXPECT_EQ(tracker.GetActiveDocument(), app.documents[1]);
    desk.SetForeground(desk.CreateTopLevel("Plain", "Plain", kOtherProcess));
    EXPECT_EQ(tracker.GetActiveDocument(), kNoWindow);
}

TEST_F(TrackerTest, RebuildResortsAndAppliesDisplayOptions) {
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {"b.txt", "C:\\A\\c.doc", "a.zip"});
    WatchAndScan(app.frame);
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"a.zip", "b.txt", "C:\\A\\c.doc"}));
    settings.Sort = kSortFileType;
    settings.Capitals = kCaseUpper;
    settings.NumChars = 4;
    tracker.RebuildDisplayList();
    EXPECT_EQ(tracker.CurrentTitles(), (Titles{"C:\\A\\c.doc", "b.txt", "a.zip"}));
    EXPECT_EQ(tracker.DisplayList(), (Titles{"C.DO", "B.TX", "A.ZI"}));
}

TEST_F(TrackerTest, TitlesLongerThanTheBuffer) {
    const std::string longTitle = "Report " + std::string(300, 'r');
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {longTitle, "3> " + longTitle});
    WatchAndScan(app.frame);
    // The scan sees 255 bytes of each window.
    ASSERT_EQ(tracker.CurrentTitles().size(), 2u);
    EXPECT_EQ(tracker.CurrentTitles()[0].size(), 252u);
    EXPECT_EQ(tracker.CurrentTitles()[1].size(), 255u);
    for (const std::string& stored : tracker.CurrentTitles()) {
        EXPECT_NE(tracker.FindChildByTitle(app.frame, stored), kNoWindow);
    }
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, tracker.CurrentTitles()[0]), app.documents[1]);

    // A full-length stored title is compared by its first 255 bytes.
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, longTitle), app.documents[0]);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, longTitle + "tail"), app.documents[0]);
    std::string different = longTitle;
    different[200] = 'X';
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, different), kNoWindow);
}

TEST(TrackerLongTitleTest, BoundIsInWholeCharacters) {
    SimulatedDesktop desk;
    Settings settings;
    Tracker tracker(desk, settings, Utf8Text());
    // 254 ASCII characters, then three- and four-byte characters across the bound of 255.
    const std::string kanji = "\xE6\x9D\xB1";
    const std::string emoji = "\xF0\x9F\x93\x84";
    const std::string title = std::string(254, 'a') + kanji + emoji + std::string(10, 'b');
    const auto app = desk.CreateMdiApp("Editor", kAppProcess, {title});
    desk.SetForeground(app.frame);
    ASSERT_TRUE(tracker.CheckForeground());
    tracker.ScanDocuments();
    ASSERT_EQ(tracker.ScratchTitles().size(), 1u);
    const std::string& stored = tracker.ScratchTitles()[0];
    EXPECT_EQ(stored, std::string(254, 'a') + kanji);  // 255 whole characters, as read

    EXPECT_EQ(BoundToTitleBuffer(title, Utf8Text()), stored);
    EXPECT_EQ(BoundToTitleBuffer(std::string(300, 'x'), Utf8Text()).size(), 255u);
    // 255 four-byte characters are within the bound; one more is cut whole.
    std::string emojis;
    for (int i = 0; i < 256; ++i) {
        emojis += emoji;
    }
    EXPECT_EQ(BoundToTitleBuffer(emojis, Utf8Text()).size(), 255u * 4);
    EXPECT_EQ(BoundToTitleBuffer("ab\xE6", Utf8Text()), "ab\xE6");  // short: kept
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, title), app.documents[0]);
    EXPECT_EQ(tracker.FindChildByTitle(app.frame, stored), app.documents[0]);
}

}  // namespace
}  // namespace perch
