#include "options/OptionHolder.h"

#include "core/KeywordList.h"
#include "platform/FileIo.h"

namespace orvelt {

OptionHolder::OptionHolder(SettingsStore& store, QObject* parent)
    : QObject(parent), store_(store), values_(ReadOptionValues(store)) {}

void OptionHolder::LoadKeywords(const QString& programDirectory) {
    std::string bytes;
    if (ReadFileBytes(programDirectory + "/KEYWORDS.TXT", bytes).ok)
        keywords_ = KeywordTable(SplitKeywordList(bytes));
}

void OptionHolder::WriteAtEnd() {
    WriteOptionsAtEnd(store_, values_);
    store_.Commit();
}

} // namespace orvelt
