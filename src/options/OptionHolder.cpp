#include "options/OptionHolder.h"

#include "core/KeywordList.h"
#include "options/values/ProgramList.h"
#include "platform/DataFolders.h"

#include <QFileInfo>

namespace orvelt {

OptionHolder::OptionHolder(SettingsStore& store, QObject* parent)
    : QObject(parent), store_(store), values_(ReadOptionValues(store)) {
    TakeAutoSaveInterval();
}

FileResult OptionHolder::LoadKeywords(const QString& programDirectory) {
    std::string bytes;
    FileResult read = ReadFileBytes(programDirectory + "/KEYWORDS.TXT", bytes);
    keywords_ = KeywordTable(read.ok ? SplitKeywordList(bytes) : std::vector<std::string>{});
    return read;
}

QStringList OptionHolder::LoadFiles(const QString& programDirectory) {
    QStringList warnings;
    if (FileResult read = LoadKeywords(programDirectory); !read.ok)
        warnings << "Error reading " + programDirectory + "/KEYWORDS.TXT: " + read.error +
                        ". No command is known as a TeX command.";
    if (const std::size_t unused = StoredProgramsBeyondLimit(store_); unused > 0)
        warnings << QStringLiteral("The settings hold %1 more programs than the %2 the TeX menu "
                                   "can hold; they are not used.")
                        .arg(unused)
                        .arg(kMaxPrograms);
    const QString dictionary = QString::fromStdString(values_.dictionary);
    if (!dictionary.isEmpty())
        if (FileResult read = LoadDictionary(dictionary); !read.ok)
            warnings << "Error reading " + dictionary + ": " + read.error;
    if (!dictionary.isEmpty() && !learnedProblem_.isEmpty())
        warnings << "Error reading " + LearnedFile() + ": " + learnedProblem_;
    return warnings;
}

namespace {

constexpr const char* kNotText = "it holds NUL bytes, so it is no word list";

// A file that is not there is an empty one; one that is there and cannot be read is a failure.
FileResult ReadIfThere(const QString& path, std::string& bytes) {
    bytes.clear();
    if (!QFileInfo::exists(path))
        return {true, {}};
    return ReadFileBytes(path, bytes);
}

} // namespace

FileResult OptionHolder::LoadDictionary(const QString& path) {
    std::string bytes;
    FileResult read = ReadFileBytes(path, bytes);
    wordsFile_ = path;
    if (read.ok && !words_.Load(bytes))
        read = {false, kNotText};
    if (!read.ok)
        (void)words_.Load({});
    listProblem_ = read.ok ? QString() : read.error;
    std::string learned;
    FileResult learnedRead = ReadIfThere(LearnedFile(), learned);
    if (learnedRead.ok && !words_.LoadLearned(learned))
        learnedRead = {false, kNotText};
    learnedProblem_ = learnedRead.ok ? QString() : learnedRead.error;
    return read;
}

QString OptionHolder::LearnedFile() const {
    return UserDataFolder("Dictionary") + "/" + NamePartOf(wordsFile_);
}

FileResult OptionHolder::SaveDictionary() {
    if (!words_.Changed() || wordsFile_.isEmpty())
        return {true, {}};
    const QString file = LearnedFile();
    if (FileResult made = MakeDirectories(QFileInfo(file).absolutePath()); !made.ok)
        return made;
    return SaveLearnedWordsTo(file);
}

FileResult OptionHolder::SaveLearnedWordsTo(const QString& path) {
    std::string onDisk;
    FileResult read = ReadIfThere(path, onDisk);
    if (read.ok && onDisk.find('\0') != std::string::npos)
        read = {false, kNotText};
    if (!read.ok)
        return read;
    FileResult written = WriteFileAtomically(path, LearnedFileText(onDisk, words_.Pending()));
    if (written.ok)
        words_.MarkSaved();
    return written;
}

void OptionHolder::WriteAtEnd() {
    WriteOptionsAtEnd(store_, values_);
    store_.Commit();
}

} // namespace orvelt
