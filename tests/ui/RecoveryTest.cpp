#include "MainFormFixture.h"
#include "app/RecoveryFolder.h"
#include "app/RecoveryKeeper.h"
#include "app/session/MainSettings.h"

#include <QDateTime>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelt::testing {
namespace {

class Recovery : public MainFormFixture {
protected:
    [[nodiscard]] QString Folder() const { return dir_.path() + "/state/orvelt95"; }
    [[nodiscard]] QStringList Copies() const {
        return QDir(Folder()).entryList({"copy-*.txt"}, QDir::Files, QDir::Name);
    }
    [[nodiscard]] std::string CopyText(const QString& name) const {
        return ReadRecoveryCopy(ReadBytes(Folder() + "/" + name)).copy.text;
    }
    static RecoveryKeeper& KeeperOf(QWidget* window) {
        auto* keeper = window->findChild<RecoveryKeeper*>();
        EXPECT_NE(keeper, nullptr);
        return *keeper;
    }
    // What the timer does when its time has come.
    static void Fire(QTimer& timer) {
        timer.start(0);
        QApplication::processEvents();
    }
    // The 30-second clock of the active window's copy runs out; the copy is on disk after.
    void CopyNow() {
        RecoveryKeeper& keeper = KeeperOf(Active());
        ASSERT_TRUE(keeper.Timer.isActive()) << "a change starts the clock";
        EXPECT_EQ(keeper.Timer.interval(), RecoveryKeeper::kPeriod);
        Fire(keeper.Timer);
        form_->FlushRecoveryCopies();
    }
    static unsigned Mode(const QString& path) {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 0777;
    }
    // Ends the form as a crash would: no window is closed, nothing is asked.
    void Crash() {
        form_->FlushRecoveryCopies();
        form_.reset();
    }
};

TEST_F(Recovery, ACopyFollowsTheUnsavedTextAndGoesWithIt) {
    StartForm();
    Open("named.tex", "text\n");
    EXPECT_FALSE(KeeperOf(Active()).Timer.isActive()) << "only opened: nothing to keep";
    Type("more ");
    CopyNow();
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_EQ(CopyText(Copies()[0]), "more text\n");
    EXPECT_EQ(Mode(Folder()), 0700u);
    EXPECT_EQ(Mode(Folder() + "/" + Copies()[0]), 0600u)
        << "a copy of a private file stays private";
    EXPECT_EQ(ReadBytes(File("named.tex")), "text\n") << "a copy is no save";
    Type("x");
    CopyNow();
    EXPECT_EQ(CopyText(Copies()[0]), "more xtext\n");
    Trigger("FileSaveItem");
    form_->FlushRecoveryCopies();
    EXPECT_TRUE(Copies().isEmpty()) << "saved, the copy goes";
}

TEST_F(Recovery, ClosingAfterTheQuestionTakesTheCopyAway) {
    StartForm();
    for (Answer answer : {Answer::No, Answer::Yes}) {
        Open("a.tex", "a");
        Type("1");
        CopyNow();
        ASSERT_EQ(Copies().size(), 1);
        prompter_.ExpectMessage("Save " + File("a.tex") + " ?", answer);
        CloseActive();
        form_->FlushRecoveryCopies();
        EXPECT_TRUE(Copies().isEmpty());
    }
    EXPECT_EQ(ReadBytes(File("a.tex")), "1a");
}

TEST_F(Recovery, TheNextStartOffersEachCopy) {
    StartNew();
    Type("untitled");
    CopyNow();
    Open("named.tex", "text\n");
    Type("more ");
    CopyNow();
    Open("kept.tex", "k");
    Type("2");
    CopyNow();
    // The session also reopens the named file: it opens once, recovered.
    WriteOpenFiles(store_, {File("named.tex").toStdString()});
    Crash();
    const auto question = [](const QString& name) {
        return name + " has unsaved text from " +
               QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm") + ". Open it?";
    };
    prompter_.ExpectMessage(question("NONAME1"), Answer::Yes);
    prompter_.ExpectMessage(question(File("named.tex")), Answer::Yes);
    prompter_.ExpectMessage(question(File("kept.tex")), Answer::Cancel);
    StartForm();
    ASSERT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(Active()->FileName, File("named.tex"));
    EXPECT_EQ(Text(), "more text\n");
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(ReadBytes(File("named.tex")), "text\n") << "nothing is written until the user saves";
    ShowTab(0);
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_EQ(Text(), "untitled");
    // The recovered texts keep their copies; the cancelled one waits for the next start.
    EXPECT_EQ(Copies().size(), 3);
    Crash();
    prompter_.ExpectMessage(question("NONAME1"), Answer::No);
    prompter_.ExpectMessage(question(File("named.tex")), Answer::No);
    prompter_.ExpectMessage(question(File("kept.tex")), Answer::No);
    StartForm();
    ASSERT_EQ(form_->ChildCount(), 1) << "only the session's file";
    EXPECT_EQ(Text(), "text\n");
    EXPECT_TRUE(Copies().isEmpty()) << "No lets them go";
}

TEST_F(Recovery, ADamagedCopyIsNamedAndKept) {
    QDir().mkpath(Folder());
    RecoveryCopy copy{File("a.tex").toStdString(), "a", "text", TextEncoding::Utf8, LineEnd::Lf, 1};
    const std::string whole = FormatRecoveryCopy(copy);
    const QString damaged = Folder() + "/copy-1-dead-1.txt";
    WriteBytes(damaged, whole.substr(0, whole.size() - 2));
    // A lock left by a crashed instance goes, even when its process id is taken by a running
    // program (this one); a running instance's lock stays.
    const QString gone = Folder() + "/1-dead.lock";
    WriteBytes(gone, std::to_string(::getpid()) + "\n");
    RecoveryFolder running(Folder());
    ASSERT_TRUE(running.Claim().ok);
    QStringList runningLock = QDir(Folder()).entryList({"*.lock"});
    runningLock.removeAll("1-dead.lock");
    ASSERT_EQ(runningLock.size(), 1);
    prompter_.ExpectMessage("The recovery copy " + damaged + " of " + File("a.tex") +
                                " is damaged and cannot be opened. It is kept.",
                            Answer::Ok);
    StartForm();
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_TRUE(QFile::exists(damaged));
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_EQ(QDir(Folder()).entryList({"*.lock"}), runningLock);
}

TEST_F(Recovery, TwoRunningInstancesKeepTheirOwnCopies) {
    StartForm();
    Open("a.tex", "a");
    Type("1");
    CopyNow();
    // A second instance starts while the first runs: it offers nothing of the first's.
    ScriptedPrompter other;
    MemorySettingsStore otherStore;
    {
        TMainForm second({otherStore, other, {}, dir_.path() + "/prog", &help_, &launcher_});
        second.FirstActivate();
        EXPECT_TRUE(other.shown.isEmpty());
        EXPECT_EQ(second.ChildCount(), 0);
    }
    EXPECT_EQ(Copies().size(), 1);
}

TEST_F(Recovery, ACopyThatCannotBeWrittenIsSaidOnce) {
    QDir().mkpath(dir_.path() + "/state");
    WriteBytes(Folder(), "a file where the folder belongs"); // fails for root too
    StartForm();
    Open("a.tex", "a");
    Type("1");
    prompter_.ExpectMessageStartingWith(
        "The unsaved text could not be kept in a recovery copy: " + Folder(), Answer::Ok);
    CopyNow();
    Type("2");
    Fire(KeeperOf(Active()).Timer); // again: no box now, only the status bar
    form_->FlushRecoveryCopies();
    EXPECT_TRUE(Panel(2).startsWith("The unsaved text could not be kept"));
    EXPECT_TRUE(Active()->Modified);
}

// ---- Autosave ----

class Autosave : public Recovery {
protected:
    void SetUp() override {
        Recovery::SetUp();
        store_.Write("AutoSave", "1");
        store_.Write("AutoSaveInterval", "1");
    }
    void Tick() {
        QTimer& timer = Active()->AutoSaveTimer;
        EXPECT_TRUE(timer.isActive());
        EXPECT_EQ(timer.interval(), 60'000);
        Fire(timer);
        form_->FlushRecoveryCopies();
    }
};

TEST_F(Autosave, ATickSavesANamedDocumentAndKeepsTheRestInCopies) {
    StartForm();
    Open("a.tex", "a");
    Tick(); // clean: nothing written
    EXPECT_TRUE(Copies().isEmpty());
    Type("1");
    Tick();
    EXPECT_EQ(ReadBytes(File("a.tex")), "1a");
    EXPECT_FALSE(Active()->Modified);
    EXPECT_TRUE(Copies().isEmpty());

    // Changed on disk meanwhile: never overwritten by a tick.
    Type("2");
    WriteBytes(File("a.tex"), "theirs");
    Tick();
    EXPECT_EQ(ReadBytes(File("a.tex")), "theirs");
    EXPECT_TRUE(Active()->Modified);
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_EQ(CopyText(Copies()[0]), "12a");

    // Untitled: no save dialog (the scripted prompter fails on any), a copy instead.
    Trigger("FileNewItem");
    Type("new");
    Tick();
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(Copies().size(), 2);
}

TEST_F(Autosave, ATickInsideAQuestionWaits) {
    StartForm();
    Open("a.tex", "a");
    Type("1");
    prompter_.ExpectMessage("Save " + File("a.tex") + " ?", Answer::No, [this] {
        Fire(Active()->AutoSaveTimer);
        EXPECT_EQ(Active()->AutoSaveTimer.interval(), TMDIChild::kAutoSaveRetry);
    });
    CloseActive();
    form_->FlushRecoveryCopies();
    EXPECT_EQ(ReadBytes(File("a.tex")), "a");
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(Autosave, TheIntervalIsReadWithinItsBounds) {
    // 0 would spin the timer; a value beyond an hour, or no number at all, is not the user's.
    const struct {
        const char* setting;
        int minutes;
    } rows[] = {{"0", 1}, {"1000", 60}, {"x", 5}, {"7", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.setting);
        store_.Write("AutoSaveInterval", row.setting);
        StartForm();
        Open("a.tex", "a");
        Type("1");
        EXPECT_EQ(Active()->AutoSaveTimer.interval(), row.minutes * 60'000);
        Active()->SetModified(false);
        CloseForm();
    }
}

TEST_F(Autosave, SwitchingItOnProtectsAModifiedWindow) {
    store_.Write("AutoSave", "0");
    StartForm();
    Open("a.tex", "a");
    Type("1");
    EXPECT_FALSE(Active()->AutoSaveTimer.isActive());
    form_->Options().autoSave = true;
    emit form_->OptionSource().Changed(); // the options dialog closed
    EXPECT_TRUE(Active()->AutoSaveTimer.isActive());
}

} // namespace
} // namespace orvelt::testing
