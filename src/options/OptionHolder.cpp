#include "options/OptionHolder.h"

#include "core/KeywordList.h"

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
