#include "MainFormFixture.h"
#include "bib/BibCellEdit.h"
#include "bib/BibTreeModel.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTreeView>

namespace orvelt::testing {
namespace {

constexpr int kArticle = 0;
constexpr int kBook = 1;

const std::string kRefs = "@ARTICLE{zeta,\n"
                          "   author = {Z. Author},\n"
                          "   title = {Last},\n"
                          "   month = jan,\n"
                          "}\n\n"
                          "@ARTICLE{alpha,\n"
                          "   title = {First},\n"
                          "}\n\n"
                          "@STRING{   jcp = {J. Chem. Phys.}\n"
                          "}\n\n";

class BibWindow : public MainFormFixture {
protected:
    [[nodiscard]] BibTreeModel& Model() const { return *Bib()->Model; }
    [[nodiscard]] QTreeView& Tree() const { return *Bib()->TreeView; }
    [[nodiscard]] QModelIndex Category(int type) const { return Model().CategoryIndex(type); }
    [[nodiscard]] QModelIndex Node(int type, int row) const {
        return Model().index(row, 0, Category(type));
    }
    [[nodiscard]] QStringList Captions(int type) const {
        QStringList captions;
        for (int row = 0; row < Model().rowCount(Category(type)); ++row)
            captions.append(Node(type, row).data().toString());
        return captions;
    }
    void Select(const QModelIndex& node) {
        ASSERT_TRUE(node.isValid());
        Tree().setFocus();
        Tree().setCurrentIndex(node);
        QApplication::processEvents();
    }
    [[nodiscard]] QLineEdit* Cell(int row, int column = 1) const {
        return qobject_cast<QLineEdit*>(Bib()->EditGrid->cellWidget(row, column));
    }
    // Types into a grid cell as the user does: click into it, then the keys.
    void TypeInCell(int row, const QString& text, int column = 1) {
        QLineEdit* cell = Cell(row, column);
        ASSERT_NE(cell, nullptr) << "row " << row;
        cell->setFocus();
        cell->setCursorPosition(cell->text().size());
        TypeInto(cell, text);
    }
    void OpenBib(const QString& name, const std::string& bytes) {
        Open(name, bytes);
        ASSERT_NE(Bib(), nullptr) << "no bibliography window for " << name.toStdString();
    }
    // Drags an entry node onto a node of the tree through the viewport's drag events.
    bool Drag(const QModelIndex& source, const QModelIndex& target) {
        QMimeData* mime = Model().mimeData({source});
        const QPoint at = Tree().visualRect(target).center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Tree().viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Tree().viewport(), &move);
        const bool accepted = move.isAccepted();
        QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Tree().viewport(), &drop);
        QApplication::processEvents(); // the copy runs once the drag is over
        delete mime;
        return accepted;
    }
};

// ---- Opening ----

TEST_F(BibWindow, OpeningShowsTheDatabaseWithoutAQuestion) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    EXPECT_EQ(Bib()->windowTitle(), File("refs.bib"));
    EXPECT_FALSE(Bib()->IsModified());
    EXPECT_EQ(Model().rowCount({}), 16);
    EXPECT_EQ(Category(kArticle).data().toString(), "Article");
    EXPECT_EQ(Category(15).data().toString(), "Preamble");
    EXPECT_EQ(Captions(kArticle), (QStringList{"alpha", "zeta"}));
    EXPECT_EQ(Captions(StringType), QStringList{"jcp"});
    EXPECT_EQ(Tree().currentIndex(), Category(kArticle));
    EXPECT_FALSE(Bib()->EditGrid->isVisible());
    // The tree kept the width it was squeezed to while the window was small.
    EXPECT_EQ(Tree().width(), TBIBChild::kTreeWidth);
    EXPECT_TRUE(prompter_.shown.isEmpty());
    EXPECT_EQ(Panel(1), "");
    EXPECT_FALSE(form_->Action("FileSaveItem")->isEnabled());
    EXPECT_TRUE(form_->Action("FileImportBibItem")->isEnabled());
}

TEST_F(BibWindow, OtherTypesAreListedReadOnly) {
    StartForm();
    OpenBib("refs.bib", "@ONLINE{web, url = {u}}\n" + kRefs);
    const QModelIndex other = Category(BibTreeModel::kOtherTypes);
    EXPECT_EQ(other.data().toString(), "Other types");
    ASSERT_EQ(Model().rowCount(other), 1);
    EXPECT_FALSE(Model().flags(other).testFlag(Qt::ItemIsDropEnabled));
    Select(Model().index(0, 0, other));
    auto* text = qobject_cast<QPlainTextEdit*>(Bib()->EditGrid->cellWidget(0, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), "@ONLINE{web, url = {u}}");
}

TEST_F(BibWindow, WhatCannotBeReadOpensNoWindow) {
    StartForm();
    QDir(dir_.path()).mkdir("dir.bib");
    for (const QString& name : {QStringLiteral("missing.bib"), QStringLiteral("dir.bib")}) {
        SCOPED_TRACE(name.toStdString());
        prompter_.ExpectMessageStartingWith("An error occured while opening '" + name + "'.\n",
                                            Answer::Ok);
        EXPECT_FALSE(form_->OpenDocument(File(name)));
        EXPECT_EQ(form_->ChildCount(), 0);
        EXPECT_EQ(form_->MdiArea()->subWindowList().size(), 0);
    }
}

// A path holding "NONAME" is a file like any other: it was shown as an empty untitled window,
// and Save as over it destroyed the database.
TEST_F(BibWindow, ANonameFileOrFolderIsRead) {
    StartForm();
    QDir(dir_.path()).mkdir("NONAME1");
    for (const QString& name : {QStringLiteral("NONAME2.bib"), QStringLiteral("NONAME1/a.bib")}) {
        SCOPED_TRACE(name.toStdString());
        OpenBib(name, kRefs);
        EXPECT_EQ(Bib()->FileNameOf(), File(name));
        EXPECT_EQ(Captions(kArticle).size(), 2);
    }
}

TEST_F(BibWindow, WithTheViewerOffABibFileIsText) {
    store_.Write("UseBIBEdit", "0");
    StartForm();
    Open("refs.bib", "@BOOK{k, title={T}, doi={10.1/x}}\n");
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Text(), "@BOOK{k, title={T}, doi={10.1/x}}\n");
    Trigger("FileNewBibItem");
    ASSERT_NE(Active(), nullptr) << "a new BIB file is a text document";
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
}

// ---- Editing ----

TEST_F(BibWindow, EditsMarkTheWindowAndLeavingAnEntryRecaptionsAndSorts) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(kArticle, 1)); // zeta
    ASSERT_EQ(Bib()->EditGrid->rowCount(), 12);
    // Names are fixed outside the abbreviations; values are open for typing.
    EXPECT_EQ(Bib()->EditGrid->item(0, 0)->text(), "cite key");
    EXPECT_FALSE(Bib()->EditGrid->item(0, 0)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_EQ(Cell(0, 0), nullptr);
    EXPECT_EQ(Cell(8)->text(), "jan");
    // A lone comma was not a key that marked the window, and was lost at close unasked.
    TypeInCell(2, ",");
    EXPECT_TRUE(Bib()->IsModified());
    EXPECT_EQ(Panel(1), "Modified");
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled());
    // The key goes first in the order: "aa" sorts before "alpha" once the entry is left.
    Cell(0)->setFocus();
    Cell(0)->selectAll();
    TypeInto(Cell(0), "aa");
    EXPECT_EQ(Captions(kArticle), (QStringList{"alpha", "zeta"})) << "not while it is shown";
    Select(Category(kBook));
    EXPECT_EQ(Captions(kArticle), (QStringList{"aa", "alpha"}));
    Select(Node(kArticle, 0));
    EXPECT_EQ(Cell(0)->text(), "aa");
    EXPECT_EQ(Cell(2)->text(), "Last,");
    // Saved, a visit leaves month = jan bare.
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("refs.bib")), "@STRING{   jcp = {J. Chem. Phys.}\n}\n\n"
                                           "@ARTICLE{aa,\n   author = {Z. Author},\n   title = "
                                           "{Last,},\n   month = jan,\n}\n\n"
                                           "@ARTICLE{alpha,\n   title = {First},\n}\n\n");
    EXPECT_FALSE(Bib()->IsModified());
    EXPECT_EQ(Panel(2), "File saved successfully.");
}

TEST_F(BibWindow, LeavingTheGridWritesBackAndKeepsTheSelection) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(kArticle, 1));
    TypeInCell(0, "0");
    // Off to the tree: the grid's text is in the entry, and the entry still selected.
    Tree().setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Captions(kArticle), (QStringList{"alpha", "zeta0"}));
    EXPECT_EQ(Tree().currentIndex(), Node(kArticle, 1));
    EXPECT_EQ(Cell(0)->text(), "zeta0");
}

TEST_F(BibWindow, AbbreviationNamesAreEditable) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(StringType, 0));
    ASSERT_NE(Cell(0, 0), nullptr);
    TypeInCell(0, "x", 0);
    Select(Category(kArticle));
    EXPECT_EQ(Captions(StringType), QStringList{"jcpx"});
}

TEST_F(BibWindow, NewAndDeleteActOnTheRightNodes) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Category(kBook));
    Bib()->New1->trigger();
    Bib()->New1->trigger();
    EXPECT_EQ(Captions(kBook), (QStringList{"NONAME1", "NONAME2"}));
    EXPECT_TRUE(Bib()->IsModified());
    EXPECT_EQ(Tree().currentIndex(), Category(kBook)) << "the new node is not selected";
    Select(Node(kBook, 0));
    Bib()->New1->trigger(); // nothing under an entry
    EXPECT_EQ(Captions(kBook).size(), 2);

    Select(Node(kArticle, 1));
    prompter_.ExpectMessage("Delete the current item?", Answer::No);
    KeyInto(&Tree(), Qt::Key_Delete);
    EXPECT_EQ(Captions(kArticle), (QStringList{"alpha", "zeta"}));
    prompter_.ExpectMessage("Delete the current item?", Answer::Yes);
    Bib()->Delete1->trigger();
    EXPECT_EQ(Captions(kArticle), QStringList{"alpha"});
    Select(Category(kArticle));
    KeyInto(&Tree(), Qt::Key_Delete); // a category is not deleted, nor asked about
}

TEST_F(BibWindow, ARealChangeByPasteOrUndoMarksTheWindow) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(kArticle, 0));
    Cell(2)->setFocus();
    Paste("{x}");
    EXPECT_EQ(Cell(2)->text(), "{x}First");
    EXPECT_TRUE(Bib()->IsModified());
    Trigger("EditUndoItem");
    EXPECT_EQ(Cell(2)->text(), "First");
}

TEST_F(BibWindow, AWesternFileTakesOnlyWhatItsCodePageHolds) {
    StartForm();
    OpenBib("refs.bib", "@ARTICLE{k,\n   title = {G\xFC"
                        "nther},\n}\n\n");
    EXPECT_EQ(Bib()->Encoding(), TextEncoding::Windows1252);
    Select(Node(kArticle, 0));
    EXPECT_EQ(Cell(2)->text(), QString::fromUtf8("G\u00FCnther"));
    TypeInCell(2, QString::fromUtf8("\u00E9\u221E")); // é is in the code page, ∞ is not
    EXPECT_EQ(Cell(2)->text(), QString::fromUtf8("G\u00FCnther\u00E9"));
    Paste(QString::fromUtf8("\u221E"));
    EXPECT_EQ(Cell(2)->text(), QString::fromUtf8("G\u00FCnther\u00E9?"));
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("refs.bib")), "@ARTICLE{k,\n   title = {G\xFCnther\xE9?},\n}\n\n");
}

// ---- Converting by drag and drop ----

TEST_F(BibWindow, DroppingAnArticleOnBookCopiesIt) {
    StartForm();
    OpenBib("refs.bib", "@ARTICLE{k,\n   author = {A},\n   journal = {J},\n   pages = {1--2},\n"
                        "}\n\n");
    Select(Node(kArticle, 0));
    TypeInCell(2, "Typed"); // the title, not yet written back
    prompter_.ExpectChoice(
        "A field named journal\ndoes not exist in the target category. Convert to:", "note");
    prompter_.ExpectChoice(
        "A field named pages\ndoes not exist in the target category. Convert to:", std::nullopt);
    EXPECT_TRUE(Drag(Node(kArticle, 0), Category(kBook)));
    EXPECT_EQ(prompter_.titlesShown.size(), 2);
    EXPECT_TRUE(prompter_.titlesShown.value(0).startsWith("Field conversion: "));
    EXPECT_EQ(Captions(kArticle), QStringList{"k"}) << "the article stays";
    EXPECT_EQ(Captions(kBook), QStringList{"NONAME1"});
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("refs.bib")),
              "@ARTICLE{k,\n   author = {A},\n   title = {Typed},\n   journal = {J},\n"
              "   pages = {1--2},\n}\n\n"
              "@BOOK{k,\n   author = {A},\n   title = {Typed},\n   note = {J},\n"
              "   pages = {1--2},\n}\n\n");
}

TEST_F(BibWindow, ADropOnAnEntryOrOfACategoryDoesNothing) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    EXPECT_FALSE(Drag(Node(kArticle, 0), Node(kArticle, 1)));
    // A category is no drag source: it gives nothing to drop.
    EXPECT_FALSE(Model().flags(Category(kArticle)).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_EQ(Model().mimeData({Category(kArticle)}), nullptr);
    EXPECT_EQ(Model().rowCount(Category(kBook)), 0);
    EXPECT_FALSE(Bib()->IsModified());
}

// ---- Saving ----

TEST_F(BibWindow, UntitledSavesUnderTheChosenNameWithTheExtension) {
    StartForm();
    Trigger("FileNewBibItem");
    ASSERT_NE(Bib(), nullptr);
    EXPECT_EQ(Bib()->windowTitle(), "NONAME1");
    Select(Category(kBook));
    Bib()->New1->trigger();
    prompter_.ExpectSaveFile(File("refs"));
    Trigger("FileSaveItem");
    EXPECT_EQ(prompter_.dialogs.last().title, "Save");
    EXPECT_EQ(Bib()->FileNameOf(), File("refs.bib"));
    EXPECT_EQ(ReadBytes(File("refs.bib")), "@BOOK{,\n}\n\n");
    EXPECT_EQ(form_->Recent().Paths()[0], File("refs.bib").toStdString());
    // Over a file that exists only after Yes.
    WriteBytes(File("old.bib"), "keep");
    Bib()->New1->trigger();
    for (Answer answer : {Answer::No, Answer::Cancel}) {
        prompter_.ExpectSaveFile(File("old.bib"));
        prompter_.ExpectMessage("OK to overwrite " + File("old.bib") + "?", answer);
        Trigger("FileSaveAsItem");
        EXPECT_EQ(ReadBytes(File("old.bib")), "keep");
        EXPECT_TRUE(Bib()->IsModified());
    }
    prompter_.ExpectSaveFile(std::nullopt);
    Trigger("FileSaveAsItem");
    EXPECT_EQ(Bib()->FileNameOf(), File("refs.bib"));
    prompter_.ExpectSaveFile(File("old.bib"));
    prompter_.ExpectMessage("OK to overwrite " + File("old.bib") + "?", Answer::Yes);
    Trigger("FileSaveAsItem");
    EXPECT_EQ(ReadBytes(File("old.bib")), "@BOOK{,\n}\n\n@BOOK{,\n}\n\n");
    EXPECT_FALSE(Bib()->IsModified());
}

// The save marked the window clean and renamed it before writing: a failed write left a window
// named after a file never written, its changes unmarked.
TEST_F(BibWindow, AFailedWriteChangesNothing) {
    StartForm();
    Trigger("FileNewBibItem");
    Select(Category(kBook));
    Bib()->New1->trigger();
    WriteBytes(File("gone"), "a file where a folder was"); // fails even for root
    prompter_.ExpectSaveFile(File("gone/refs.bib"));
    prompter_.ExpectMessageStartingWith("Error saving file " + File("gone/refs.bib") + "\n",
                                        Answer::Ok);
    Trigger("FileSaveItem");
    EXPECT_TRUE(Bib()->FileNameOf().isEmpty());
    EXPECT_EQ(Bib()->windowTitle(), "NONAME1");
    EXPECT_TRUE(Bib()->IsModified());
    EXPECT_EQ(form_->Recent().Paths()[0], "");
    EXPECT_NE(Panel(2), "File saved successfully.");
}

TEST_F(BibWindow, WhatWouldNotReadBackIsAskedAbout) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(kArticle, 1));
    TypeInCell(2, "}");
    Select(Category(kBook));
    const QString question = "Entry \"zeta\", field \"title\": its value has unbalanced braces, "
                             "so BibTeX will not read it back as it is.\nSave anyway?";
    prompter_.ExpectMessage(question, Answer::No);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("refs.bib")), kRefs);
    EXPECT_EQ(Tree().currentIndex(), Node(kArticle, 1)) << "the entry is shown";
    prompter_.ExpectMessage(question, Answer::Yes);
    Trigger("FileSaveItem");
    EXPECT_NE(ReadBytes(File("refs.bib")), kRefs);
}

TEST_F(BibWindow, EverythingReadIsWrittenBackUnchanged) {
    const std::string file = "@ARTICLE{k,\n   title = {Line one\n\tline two},\n   month = jan,\n"
                             "   doi = {10.1/x},\n   url = \"http://x\",\n}\n\n"
                             "@ONLINE{web,\n  url = {u},\n}\n\n";
    StartForm();
    OpenBib("refs.bib", file);
    Select(Node(kArticle, 0));
    EXPECT_EQ(Bib()->EditGrid->item(12, 0)->text(), "doi");
    EXPECT_EQ(Bib()->EditGrid->item(12, 0)->foreground().color(), QColor(Qt::gray));
    Select(Node(BibTreeModel::kOtherTypes, 0));
    Select(Node(kArticle, 0));
    TypeInCell(0, "2"); // marks the window; saved, all the rest is as it was
    Trigger("FileSaveItem");
    std::string expected = file;
    expected.replace(expected.find("{k,"), 3, "{k2,");
    EXPECT_EQ(ReadBytes(File("refs.bib")), expected);
}

TEST_F(BibWindow, AChangeByAnotherProgramIsNeverOverwrittenUnasked) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    Select(Node(kArticle, 0));
    TypeInCell(0, "2");
    WriteBytes(File("refs.bib"), "@MISC{theirs}\n");
    const QString question = File("refs.bib") + " has been changed by another program. Reload it?";
    prompter_.ExpectMessage(question, Answer::Cancel);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("refs.bib")), "@MISC{theirs}\n");
    EXPECT_TRUE(Bib()->IsModified());
    prompter_.ExpectMessage(question, Answer::Yes);
    Trigger("FileSaveItem");
    EXPECT_EQ(Captions(9), QStringList{"theirs"}) << "read again";
    EXPECT_FALSE(Bib()->IsModified());
}

TEST_F(BibWindow, CloseYesWhoseSaveDoesNotHappenKeepsTheWindow) {
    StartForm();
    Trigger("FileNewBibItem");
    Select(Category(kBook));
    Bib()->New1->trigger();
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Yes);
    prompter_.ExpectSaveFile(std::nullopt);
    EXPECT_FALSE(CloseForm()) << "the shutdown stops";
    ASSERT_NE(Bib(), nullptr);
    EXPECT_TRUE(Bib()->IsModified());
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    EXPECT_TRUE(CloseForm());
}

// ---- Import ----

TEST_F(BibWindow, ImportAddsTheEntriesOfABibFile) {
    StartForm();
    OpenBib("refs.bib", kRefs);
    prompter_.ExpectOpenFile(File("other.txt"));
    prompter_.ExpectMessage("That's not a BIB file!", Answer::Ok);
    Trigger("FileImportBibItem");
    EXPECT_EQ(prompter_.dialogs.last().title, "Import BIB file");
    prompter_.ExpectOpenFile(File("missing.BIB"));
    prompter_.ExpectMessageStartingWith("An error occured while opening 'missing.BIB'.\n",
                                        Answer::Ok);
    Trigger("FileImportBibItem");
    EXPECT_FALSE(Bib()->IsModified()) << "nothing was read";
    WriteBytes(File("more.BIB"), "@ARTICLE{beta, title = {B}}");
    prompter_.ExpectOpenFile(File("more.BIB"));
    Trigger("FileImportBibItem");
    EXPECT_EQ(Captions(kArticle), (QStringList{"alpha", "beta", "zeta"}));
    EXPECT_TRUE(Bib()->IsModified());
}

// ---- Next start ----

TEST_F(BibWindow, OpenBibliographiesReopenAtTheNextStart) {
    StartForm();
    Open("a.tex", "a");
    Trigger("FileNewBibItem"); // untitled: not reopened, and does not end the list
    OpenBib("refs.bib", kRefs);
    Trigger("FileNewItem");
    Open("b.tex", "b");
    ASSERT_TRUE(CloseForm());
    StartForm();
    ASSERT_EQ(form_->ChildCount(), 3);
    QStringList names;
    for (QMdiSubWindow* sub : form_->MdiArea()->subWindowList())
        names.append(sub->widget()->windowTitle());
    names.sort();
    EXPECT_EQ(names, (QStringList{File("a.tex"), File("b.tex"), File("refs.bib")}));
}

// ---- With BibTeX ----

TEST_F(BibWindow, ADatabaseMadeInTheWindowRunsThroughBibTeX) {
    const QString bibtex = QStandardPaths::findExecutable("bibtex");
    if (bibtex.isEmpty())
        GTEST_SKIP() << "bibtex is not installed (scripts/setup.sh installs it)";
    StartForm();
    Trigger("FileNewBibItem");
    const auto make = [&](int type, const QStringList& values) {
        Select(Category(type));
        Bib()->New1->trigger();
        Select(Node(type, Model().rowCount(Category(type)) - 1));
        for (int row = 0; row < values.size(); ++row)
            if (!values[row].isEmpty())
                TypeInCell(row, values[row]);
    };
    make(StringType, {"J. Chem. Phys."});
    TypeInCell(0, "jcp", 0);
    make(15, {"\\newcommand{\\noopsort}[1]{}"});
    make(kArticle, {"art", "A. Author", "On {T}hings", "jcp", "1999"});
    make(kBook, {"book", "B. Author", "", "A Book", "Publisher", "2001"});
    make(12, {"rep", "C. Author", "A Report", "Institute", "2002"});
    Select(Category(kArticle));
    prompter_.ExpectSaveFile(File("refs.bib"));
    Trigger("FileSaveItem");
    WriteBytes(File("doc.aux"), "\\citation{*}\n\\bibdata{refs}\n\\bibstyle{plain}\n");
    QProcess run;
    run.setWorkingDirectory(dir_.path());
    run.start(bibtex, {"doc"});
    ASSERT_TRUE(run.waitForFinished(60000));
    const std::string log = ReadBytes(File("doc.blg"));
    EXPECT_EQ(log.find("error"), std::string::npos) << log;
    EXPECT_EQ(log.find("Warning--I didn't find"), std::string::npos) << log;
    const std::string bbl = ReadBytes(File("doc.bbl"));
    // A value typed in the grid is text in braces: "jcp" stays literal, and defining the
    // abbreviation is harmless.
    for (const char* key :
         {"\\bibitem{art}", "\\bibitem{book}", "\\bibitem{rep}", "\\newcommand{\\noopsort}"})
        EXPECT_NE(bbl.find(key), std::string::npos) << key << "\n" << bbl;
}

} // namespace
} // namespace orvelt::testing
