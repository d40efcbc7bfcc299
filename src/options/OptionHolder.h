#pragma once

#include "core/KeywordTable.h"
#include "editor/spell/Dictionary.h"
#include "options/values/OptionValues.h"
#include "platform/FileIo.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <set>
#include <string>

namespace orvelt {

// The one live holder of the user's options for the whole run: windows read an option here
// when they need it, so a change applies at once. Only reading and writing the store is done
// at fixed times (start, every closing of the options dialog, the end of the run).
class OptionHolder : public QObject {
    Q_OBJECT
public:
    explicit OptionHolder(SettingsStore& store, QObject* parent = nullptr);

    [[nodiscard]] OptionValues& Values() { return values_; }
    [[nodiscard]] const OptionValues& Values() const { return values_; }
    [[nodiscard]] SettingsStore& Store() { return store_; }
    [[nodiscard]] const KeywordTable& Keywords() const { return keywords_; }

    // KEYWORDS.TXT of the program directory; unreadable, the list is empty.
    [[nodiscard]] FileResult LoadKeywords(const QString& programDirectory);
    // What the start reads beside the settings: the keyword list and the chosen dictionary.
    // Returns a warning for each that could not be read, and for stored programs beyond the
    // list's slots.
    [[nodiscard]] QStringList LoadFiles(const QString& programDirectory);

    // The spell checker's words: the chosen list, which is only read, and the words the user
    // learned with it, kept in a file of their own under the user's data folder (the list's
    // name part in $XDG_DATA_HOME/orvelt95/Dictionary).
    [[nodiscard]] Dictionary& Words() { return words_; }
    // Reads the chosen list and its learned words; the result is the list's.
    [[nodiscard]] FileResult LoadDictionary(const QString& path);
    // Why the chosen list cannot be used (not read, or no text); empty when it can.
    [[nodiscard]] const QString& DictionaryProblem() const { return listProblem_; }
    // The learned file of the chosen list, and why it could not be read (empty when it could,
    // or when it does not exist yet).
    [[nodiscard]] QString LearnedFile() const;
    [[nodiscard]] const QString& LearnedProblem() const { return learnedProblem_; }
    // Adds the words learned and not yet written to the learned file as it is on disk now
    // (another run may have added words since), never over a file that cannot be read.
    [[nodiscard]] FileResult SaveDictionary();
    // The same into another file, which keeps what it holds.
    [[nodiscard]] FileResult SaveLearnedWordsTo(const QString& path);

    // The autosave period of source windows; set from the options at the start and when the
    // options dialog is confirmed, not while its number is being changed.
    [[nodiscard]] int AutoSaveMilliseconds() const { return autoSaveMilliseconds_; }
    void TakeAutoSaveInterval() { autoSaveMilliseconds_ = values_.autoSaveInterval * 60000; }

    // Keys held by menus and standard editing (key texts), which no snippet may take.
    [[nodiscard]] const std::set<std::string, std::less<>>& OccupiedKeys() const {
        return occupied_;
    }
    void SetOccupiedKeys(std::set<std::string, std::less<>> keys) { occupied_ = std::move(keys); }

    // The end of the run writes what it always has.
    void WriteAtEnd();

signals:
    // An option that open windows apply (wrapping, the gutter, the snippet keys) changed.
    void Changed();

private:
    SettingsStore& store_;
    OptionValues values_;
    KeywordTable keywords_;
    Dictionary words_;
    QString wordsFile_;
    QString listProblem_;
    QString learnedProblem_;
    int autoSaveMilliseconds_ = 0;
    std::set<std::string, std::less<>> occupied_;
};

} // namespace orvelt
