#include "options/OptionHolder.h"

#include "core/KeywordList.h"
#include "options/values/ProgramList.h"

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
    return warnings;
}

FileResult OptionHolder::LoadDictionary(const QString& path) {
    std::string bytes;
    FileResult read = ReadFileBytes(path, bytes);
    wordsFile_ = path;
    wordsLoaded_ = read.ok;
    words_.Load(read.ok ? std::move(bytes) : std::string());
    return read;
}

FileResult OptionHolder::SaveDictionary() {
    if (!wordsLoaded_ || !words_.Changed())
        return {true, {}};
    FileResult written = WriteFileAtomically(wordsFile_, words_.Bytes());
    if (written.ok)
        words_.MarkSaved();
    return written;
}

void OptionHolder::WriteAtEnd() {
    WriteOptionsAtEnd(store_, values_);
    store_.Commit();
}

} // namespace orvelt
